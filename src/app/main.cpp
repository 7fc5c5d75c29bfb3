#include "app/Maindb.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("V35"));

    TfMaindb db(QCoreApplication::applicationDirPath());
    db.SelectDefaultModel();

    QMainWindow window;
    window.setWindowTitle(db.AppState.AppTitle);
    window.resize(900, 600);
    window.show();
    const int rc = QApplication::exec();

    db.SaveSettings();
    return rc;
}
