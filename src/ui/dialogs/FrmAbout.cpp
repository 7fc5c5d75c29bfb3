#include "FrmAbout.h"

#include "app/Maindb.h"
#include "ui/Controls.h"
#include "ui/TranslateForm.h"
#include "ui/UiServices.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QStyle>
#include <QVBoxLayout>

namespace {

QLabel* NewLabel(QWidget* owner, const QString& name, const QString& text) {
    auto* label = new QLabel(text, owner);
    label->setObjectName(name);
    return label;
}

} // namespace

TfFrmAbout::TfFrmAbout(TfMaindb& db, QWidget* parent) : QDialog(parent), Db(db) {
    setObjectName(QStringLiteral("fFrmAbout"));
    // The designed caption; once shown, the box carries the application title.
    setWindowTitle(QStringLiteral("关于"));

    // A picture, not a caption: the form translator leaves it alone.
    ImApp = new TStaticText(this);
    ImApp->setObjectName(QStringLiteral("ImApp"));
    ImApp->setFixedSize(32, 32);
    Label1 = NewLabel(this, QStringLiteral("Label1"), QStringLiteral("V35 对讲机写频软件"));
    QFont title = Label1->font();
    title.setPointSizeF(title.pointSizeF() * 1.3);
    title.setBold(true);
    Label1->setFont(title);
    Label4 = NewLabel(this, QStringLiteral("Label4"), QStringLiteral("适用于 V35 手持对讲机"));
    Label8 = NewLabel(this, QStringLiteral("Label8"), QStringLiteral("版权所有 © V35 写频软件作者"));
    Label9 = NewLabel(this, QStringLiteral("Label9"), QStringLiteral("保留所有权利。"));
    Label2 = NewLabel(this, QStringLiteral("Label2"), QStringLiteral("版本：VER07.01"));
    Label3 = NewLabel(this, QStringLiteral("Label3"), QStringLiteral("日期：2007年05月18日"));

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setVisible(false);
    Label5 = NewLabel(Panel1, QStringLiteral("Label5"), QStringLiteral("警告："));
    Label6 =
        NewLabel(Panel1, QStringLiteral("Label6"), QStringLiteral("本计算机程序受著作权法和国际条约保护。"));
    Label7 = NewLabel(Panel1, QStringLiteral("Label7"),
                      QStringLiteral("未经授权而复制、分发或修改本程序的全部或部分，将受到法律追究。"));

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setFocusPolicy(Qt::NoFocus);
    Memo1->setMinimumWidth(380);
    Memo1->setFixedHeight(96);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto* lines = new QVBoxLayout;
    lines->setSpacing(4);
    for (QLabel* l : {Label1, Label4, Label8, Label9})
        lines->addWidget(l);
    auto* top = new QHBoxLayout;
    top->setSpacing(16);
    top->addWidget(ImApp, 0, Qt::AlignTop);
    top->addLayout(lines, 1);
    auto* version = new QVBoxLayout;
    version->setSpacing(4);
    version->addWidget(Label2);
    version->addWidget(Label3);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 18, 18, 18);
    layout->addLayout(top);
    layout->addSpacing(6);
    layout->addLayout(version);
    layout->addWidget(line);
    layout->addWidget(Memo1);
    layout->addWidget(Panel1);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Every label, the panel and the box itself close the box on a click.
    for (QLabel* l : findChildren<QLabel*>())
        l->installEventFilter(this);
    Panel1->installEventFilter(this);
}

void TfFrmAbout::Run(TfMaindb& db, UiServices& ui, QWidget* parent) {
    TfFrmAbout dialog(db, parent);
    ui.ExecDialog(dialog);
}

void TfFrmAbout::showEvent(QShowEvent* event) {
    if (!Shown) {
        Shown = true;
        FormShow();
    }
    QDialog::showEvent(event);
}

void TfFrmAbout::FormShow() {
    QIcon icon = QApplication::windowIcon();
    if (icon.isNull())
        icon = style()->standardIcon(QStyle::SP_ComputerIcon);
    ImApp->setPixmap(icon.pixmap(32, 32));
    // Unlike the other windows, the box takes its texts from the language file even for the first
    // language.
    const TALL& state = Db.AppState;
    TranslateForm(this, state.ProgramDir, state.LanguageName, false);
    setWindowTitle(state.AppTitle);
    Memo1->clear();
    Memo1->setPlainText(
        QStringList{Label5->text(), Label6->text(), QString(), Label7->text()}.join(QLatin1Char('\n')));
}

void TfFrmAbout::FormMouseDown() {
    accept();
}

bool TfFrmAbout::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        FormMouseDown();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TfFrmAbout::mousePressEvent(QMouseEvent* event) {
    event->accept();
    FormMouseDown();
}

void TfFrmAbout::keyPressEvent(QKeyEvent* event) {
    // Without the mouse: Enter, the space bar or Escape close the box.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_Escape:
        accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}
