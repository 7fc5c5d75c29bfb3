#include "DialogFixture.h"
#include "ui/Controls.h"
#include "ui/dialogs/ToneOption.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QListWidget>
#include <QRadioButton>
#include <QTableWidget>

namespace {

// The cell of a table showing `text`, searched column by column.
QModelIndex CellOf(QTableWidget* table, const QString& text) {
    for (int c = 0; c < table->columnCount(); ++c)
        for (int r = 0; r < table->rowCount(); ++r)
            if (table->item(r, c) && table->item(r, c)->text() == text)
                return table->model()->index(r, c);
    return {};
}

QRadioButton* Radio(TfToneOption& d, const QString& name) {
    return d.findChild<QRadioButton*>(name);
}

} // namespace

class TestToneOption : public QObject {
    Q_OBJECT

private slots:
    // The three tables as the user sees them: which cell holds what, in which colour and weight.
    void tablesShowThePickerData_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QColor>("background");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<int>("width");
        QTest::newRow("first CTCSS index")
            << "gvCtcss" << 0 << 0 << "01" << QColor(249, 141, 227) << false << 32;
        QTest::newRow("first CTCSS tone") << "gvCtcss" << 0 << 1 << "67.0" << QColor(Qt::white) << true << 43;
        QTest::newRow("first CTCSS code")
            << "gvCtcss" << 0 << 2 << "XZ" << QColor(225, 249, 112) << false << 32;
        QTest::newRow("88.5 ends group 1")
            << "gvCtcss" << 8 << 1 << "88.5" << QColor(Qt::white) << true << 43;
        QTest::newRow("91.5 opens group 2")
            << "gvCtcss" << 0 << 4 << "91.5" << QColor(Qt::white) << true << 43;
        QTest::newRow("index 0A") << "gvCtcss" << 0 << 3 << "0A" << QColor(249, 141, 227) << false << 32;
        QTest::newRow("last CTCSS tone")
            << "gvCtcss" << 5 << 13 << "254.1" << QColor(Qt::white) << true << 43;
        QTest::newRow("empty end of group 5")
            << "gvCtcss" << 8 << 13 << "" << QColor(Qt::white) << true << 43;
        QTest::newRow("first DCS-N number")
            << "gvDcsN" << 0 << 0 << "1" << QColor(47, 231, 220) << false << 25;
        QTest::newRow("first DCS-N code") << "gvDcsN" << 0 << 1 << "D023N" << QColor(Qt::white) << true << 43;
        QTest::newRow("first DCS-I code") << "gvDcsI" << 0 << 1 << "D023I" << QColor(Qt::white) << true << 43;
        QTest::newRow("D525 only here") << "gvDcsN" << 8 << 11 << "D525N" << QColor(Qt::white) << true << 43;
        QTest::newRow("last DCS-I code") << "gvDcsI" << 7 << 15 << "D754I" << QColor(Qt::white) << true << 43;
        QTest::newRow("empty end of DCS group 8")
            << "gvDcsI" << 10 << 15 << "" << QColor(Qt::white) << true << 43;
    }
    void tablesShowThePickerData() {
        QFETCH(QString, table);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(QColor, background);
        QFETCH(bool, bold);
        QFETCH(int, width);
        DialogFixture f;
        TfToneOption d(*f.Db);
        d.show();
        auto* grid = d.findChild<QTableWidget*>(table);
        QVERIFY(grid);
        QTableWidgetItem* item = grid->item(row, column);
        QVERIFY(item);
        QCOMPARE(item->text(), text);
        QCOMPARE(item->background().color(), background);
        QCOMPARE(item->font().bold(), bold);
        // At least the chart's width, and wide enough for the text in the screen's font.
        QVERIFY(grid->columnWidth(column) >= width);
        QVERIFY(QFontMetrics(item->font()).horizontalAdvance(text) < grid->columnWidth(column) - 2);
    }

    void tableSwitchFollowsTheRadioButtons_data() {
        QTest::addColumn<QString>("radio");
        QTest::addColumn<QString>("visible");
        QTest::addColumn<QString>("title");
        QTest::newRow("CTCSS") << "rCTCSS"
                               << "gvCtcss" << QStringLiteral("CTCSS频率表");
        QTest::newRow("DCS-N") << "rDCSN"
                               << "gvDcsN" << QStringLiteral("DCS-N代码表");
        QTest::newRow("DCS-I") << "rDCSI"
                               << "gvDcsI" << QStringLiteral("DCS-I代码表");
    }
    void tableSwitchFollowsTheRadioButtons() {
        QFETCH(QString, radio);
        QFETCH(QString, visible);
        QFETCH(QString, title);
        DialogFixture f;
        TfToneOption d(*f.Db);
        d.show();
        // Starts on the CTCSS table, then the user clicks a type.
        QVERIFY(Child<QTableWidget>(d, "gvCtcss")->isVisible());
        QCOMPARE(Child<QGroupBox>(d, "gbList")->title(), QStringLiteral("CTCSS频率表"));
        QTest::mouseClick(Radio(d, radio), Qt::LeftButton);
        for (QTableWidget* t : {Child<QTableWidget>(d, "gvCtcss"), Child<QTableWidget>(d, "gvDcsN"),
                                Child<QTableWidget>(d, "gvDcsI")})
            QCOMPARE(t->isVisible(), t->objectName() == visible);
        QCOMPARE(Child<QGroupBox>(d, "gbList")->title(), title);
        QVERIFY(Child<QGroupBox>(d, "gbList")->isEnabled());
    }

    // A double click on a tone or a code picks it; anywhere else it does nothing.
    void doubleClickPicks_data() {
        QTest::addColumn<QString>("radio");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<QString>("picked");
        QTest::newRow("CTCSS tone 88.5") << "rCTCSS"
                                         << "88.5" << true << "88.5";
        QTest::newRow("CTCSS tone 254.1") << "rCTCSS"
                                          << "254.1" << true << "254.1";
        QTest::newRow("DCS-I code 023") << "rDCSI"
                                        << "D023I" << true << "D023I";
        QTest::newRow("DCS-N code 754") << "rDCSN"
                                        << "D754N" << true << "D754N";
        QTest::newRow("index 0A") << "rCTCSS"
                                  << "0A" << false << "";
        QTest::newRow("code ZZ") << "rCTCSS"
                                 << "ZZ" << false << "";
        QTest::newRow("DCS number 85") << "rDCSN"
                                       << "85" << false << "";
    }
    void doubleClickPicks() {
        QFETCH(QString, radio);
        QFETCH(QString, cell);
        QFETCH(bool, closes);
        QFETCH(QString, picked);
        DialogFixture f;
        bool stayedOpen = false;
        f.OnDialog[QStringLiteral("fToneOption")] = [&](QDialog& dialog) {
            auto& d = static_cast<TfToneOption&>(dialog);
            QTest::mouseClick(Radio(d, radio), Qt::LeftButton);
            const QModelIndex index = CellOf(d.CurrentTable(), cell);
            QVERIFY(index.isValid());
            DoubleClickCell(d.CurrentTable(), index);
            stayedOpen = d.isVisible();
            if (stayedOpen)
                d.reject();
        };
        QCOMPARE(TfToneOption::Pick(*f.Db, *f.Ui, nullptr), picked);
        QCOMPARE(stayedOpen, !closes);
    }

    // The empty cells at the end of a tone column close the picker without a tone.
    void emptyToneCellClosesWithNothing() {
        DialogFixture f;
        bool closed = false;
        f.OnDialog[QStringLiteral("fToneOption")] = [&](QDialog& dialog) {
            auto& d = static_cast<TfToneOption&>(dialog);
            DoubleClickCell(Child<QTableWidget>(d, "gvCtcss"),
                            Child<QTableWidget>(d, "gvCtcss")->model()->index(8, 13));
            closed = !d.isVisible();
        };
        QCOMPARE(TfToneOption::Pick(*f.Db, *f.Ui, nullptr), QString());
        QVERIFY(closed);
    }

    void closingWithoutPickGivesNothing() {
        DialogFixture f;
        // The unscripted picker is shown and closed by its close box.
        QCOMPARE(TfToneOption::Pick(*f.Db, *f.Ui, nullptr), QString());
        QCOMPARE(f.Executed[QStringLiteral("fToneOption")], 1);
    }

    // Without the mouse: arrow keys to the cell, Enter picks it.
    void enterPicksTheSelectedCell() {
        DialogFixture f;
        f.OnDialog[QStringLiteral("fToneOption")] = [&](QDialog& dialog) {
            auto& d = static_cast<TfToneOption&>(dialog);
            Child<QTableWidget>(d, "gvCtcss")->setFocus();
            Child<QTableWidget>(d, "gvCtcss")->setCurrentCell(0, 0);
            QTest::keyClick(Child<QTableWidget>(d, "gvCtcss"), Qt::Key_Right);
            QTest::keyClick(Child<QTableWidget>(d, "gvCtcss"), Qt::Key_Down);
            QTest::keyClick(Child<QTableWidget>(d, "gvCtcss"), Qt::Key_Return);
        };
        QCOMPARE(TfToneOption::Pick(*f.Db, *f.Ui, nullptr), QStringLiteral("69.3"));
    }

    // The tables and their data are never translated; the captions are.
    void translatedCaptionsKeepTheData() {
        DialogFixture f(Language::English);
        TfToneOption d(*f.Db);
        d.show();
        QCOMPARE(d.windowTitle(), QStringLiteral("Choose a Tone"));
        QCOMPARE(Child<QGroupBox>(d, "gbList")->title(), QStringLiteral("CTCSS tones"));
        QCOMPARE(Child<QTableWidget>(d, "gvCtcss")->item(8, 1)->text(), QStringLiteral("88.5"));
        QCOMPARE(TagOf(Child<QListWidget>(d, "lbValue")), -2);
    }
};

QTEST_MAIN(TestToneOption)
#include "test_toneoption.moc"
