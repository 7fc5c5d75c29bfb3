#include "DialogFixture.h"
#include "ui/dialogs/EmbeddedMessage.h"
#include "ui/dialogs/FrmAbout.h"
#include "ui/dialogs/TestFrequency.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>

namespace {

bool RunMessage(DialogFixture& f, const std::function<void(TfEmbeddedMessage&)>& script) {
    f.OnDialog[QStringLiteral("fEmbeddedMessage")] = [&](QDialog& d) {
        script(static_cast<TfEmbeddedMessage&>(d));
    };
    return TfEmbeddedMessage::Run(*f.Db, *f.Ui, nullptr);
}

bool RunTestFrequency(DialogFixture& f, const std::function<void(TfTestFrequency&)>& script) {
    f.OnDialog[QStringLiteral("fTestFrequency")] = [&](QDialog& d) {
        script(static_cast<TfTestFrequency&>(d));
    };
    return TfTestFrequency::Run(*f.Db, *f.Ui, nullptr);
}

// Types into a cell of the grid through its editor and commits with Enter.
void EditCell(QTableWidget* grid, int row, int column, const QString& text) {
    grid->setCurrentCell(row, column);
    grid->editItem(grid->item(row, column));
    auto* editor = grid->viewport()->findChild<QLineEdit*>();
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Backspace);
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    // The view commits a cell editor's text once the key event has been handled.
    QCoreApplication::processEvents();
}

const QString kReminder = QStringLiteral("测试频率数据已更改。在进入测试模式之前执行\"向对讲机写入数据\".");

} // namespace

class TestSmallDialogs : public QObject {
    Q_OBJECT

private slots:
    // ---- embedded message ----

    void messageLinesTakeOnlyLettersDigitsAndBlanks_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("letters, digits, blank") << "Hello V35 radio"
                                                << "Hello V35 radio";
        QTest::newRow("punctuation") << "Hi, there!"
                                     << "Hi there";
        QTest::newRow("hyphen") << "A-B"
                                << "AB";
        QTest::newRow("Chinese") << QStringLiteral("信息A1") << "A1";
        QTest::newRow("33rd character") << QString(33, QLatin1Char('x')) << QString(32, QLatin1Char('x'));
    }
    void messageLinesTakeOnlyLettersDigitsAndBlanks() {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        DialogFixture f;
        QVERIFY(RunMessage(f, [&](TfEmbeddedMessage& d) {
            TypeText(Child<QLineEdit>(d, "edEMA"), typed);
            TypeText(Child<QLineEdit>(d, "edEMB"), typed);
            QTest::mouseClick(Child<QPushButton>(d, "btnOk"), Qt::LeftButton);
        }));
        QCOMPARE(f.Db->EmbeddedMessage.LineA, stored);
        QCOMPARE(f.Db->EmbeddedMessage.LineB, stored);
        // A changed message is unsaved data.
        QCOMPARE(f.Db->AppState.Modified, !stored.isEmpty());
    }

    // A Chinese character composed with an input method is no key press; it is dropped all the same.
    void composedTextIsDropped() {
        DialogFixture f;
        QVERIFY(RunMessage(f, [&](TfEmbeddedMessage& d) {
            QInputMethodEvent compose;
            compose.setCommitString(QStringLiteral("中文"));
            QApplication::sendEvent(Child<QLineEdit>(d, "edEMA"), &compose);
            QTest::keyClicks(Child<QLineEdit>(d, "edEMA"), QStringLiteral("ok"));
            QTest::mouseClick(Child<QPushButton>(d, "btnOk"), Qt::LeftButton);
        }));
        QCOMPARE(f.Db->EmbeddedMessage.LineA, QStringLiteral("ok"));
    }

    void cancelLeavesTheLines() {
        DialogFixture f;
        f.Db->EmbeddedMessage.LineA = QStringLiteral("FIRST");
        f.Db->EmbeddedMessage.LineB = QStringLiteral("SECOND");
        QVERIFY(!RunMessage(f, [&](TfEmbeddedMessage& d) {
            QCOMPARE(Child<QLineEdit>(d, "edEMA")->text(), QStringLiteral("FIRST"));
            QCOMPARE(Child<QLineEdit>(d, "edEMB")->text(), QStringLiteral("SECOND"));
            QTest::keyClicks(Child<QLineEdit>(d, "edEMA"), QStringLiteral("X"));
            Child<QLineEdit>(d, "edEMB")->clear();
            QTest::mouseClick(Child<QPushButton>(d, "btnCancel"), Qt::LeftButton);
        }));
        QCOMPARE(f.Db->EmbeddedMessage.LineA, QStringLiteral("FIRST"));
        QCOMPARE(f.Db->EmbeddedMessage.LineB, QStringLiteral("SECOND"));
    }

    // A line read from a radio may hold other characters; OK without an edit keeps them.
    void okWithoutEditKeepsTheLines() {
        DialogFixture f;
        f.Db->EmbeddedMessage.LineA = QStringLiteral("AB-CD*");
        f.Db->EmbeddedMessage.LineB = QString(32, QLatin1Char('Z'));
        QVERIFY(RunMessage(f, [&](TfEmbeddedMessage& d) {
            QTest::mouseClick(Child<QPushButton>(d, "btnOk"), Qt::LeftButton);
        }));
        QCOMPARE(f.Db->EmbeddedMessage.LineA, QStringLiteral("AB-CD*"));
        QCOMPARE(f.Db->EmbeddedMessage.LineB, QString(32, QLatin1Char('Z')));
    }

    // ---- test frequencies ----

    void committedCellTexts_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("700 above the model") << "700"
                                             << "470.00000" << QStringList{"频率出错！"};
        QTest::newRow("50 below the model") << "50"
                                            << "400.00000" << QStringList{"频率出错！"};
        QTest::newRow("480 outside the band") << "480"
                                              << "480.00000" << QStringList{"频率超出范围！"};
        QTest::newRow("455.5 in the band") << "455.5"
                                           << "455.50000" << QStringList{};
        QTest::newRow("no raster snap") << "460.0065"
                                        << "460.00650" << QStringList{};
        QTest::newRow("model limit 650") << "650"
                                         << "650.00000" << QStringList{"频率超出范围！"};
        QTest::newRow("not a number keeps the cell") << "4.6.0"
                                                     << "460.05000" << QStringList{"频率出错！"};
        QTest::newRow("empty clears the cell") << ""
                                               << "" << QStringList{};
    }
    void committedCellTexts() {
        QFETCH(QString, typed);
        QFETCH(QString, cell);
        QFETCH(QStringList, messages);
        DialogFixture f;
        QString shown;
        QVERIFY(RunTestFrequency(f, [&](TfTestFrequency& d) {
            EditCell(Child<QTableWidget>(d, "gvData"), 0, TfTestFrequency::RxFreq, typed);
            shown = Child<QTableWidget>(d, "gvData")->item(0, TfTestFrequency::RxFreq)->text();
            f.Prompts.Log.removeIf([](const ScriptedPrompter::Shown& s) { return s.Text == kReminder; });
            QCOMPARE(f.Shown(), messages);
            for (const QString& caption : f.Captions())
                QCOMPARE(caption, QStringLiteral("注意"));
            QTest::mouseClick(Child<QPushButton>(d, "btnOk"), Qt::LeftButton);
        }));
        QCOMPARE(shown, cell);
        QCOMPARE(f.Db->TestFrequencies.RxFreq[1], cell);
        QCOMPARE(f.Db->TestFrequencies.TxFreq[1], QStringLiteral("460.10000"));
    }

    void gridShowsTheTable() {
        DialogFixture f;
        TfTestFrequency d(*f.Db, *f.Ui);
        d.show();
        QCOMPARE(Child<QTableWidget>(d, "gvData")->rowCount(), 16);
        QCOMPARE(Child<QTableWidget>(d, "gvData")->model()->headerData(0, Qt::Horizontal).toString(),
                 QStringLiteral("信道"));
        QCOMPARE(Child<QTableWidget>(d, "gvData")->model()->headerData(1, Qt::Horizontal).toString(),
                 QStringLiteral("接收[MHz]"));
        QCOMPARE(Child<QTableWidget>(d, "gvData")->model()->headerData(2, Qt::Horizontal).toString(),
                 QStringLiteral("发射[MHz]"));
        QCOMPARE(Child<QTableWidget>(d, "gvData")->item(15, 0)->text(), QStringLiteral("16"));
        QCOMPARE(Child<QTableWidget>(d, "gvData")->item(2, 1)->text(), QStringLiteral("479.95000"));
        QCOMPARE(Child<QTableWidget>(d, "gvData")->item(2, 2)->text(), QStringLiteral("479.90000"));
        QVERIFY(Child<QTableWidget>(d, "gvData")->item(6, 1)->text().isEmpty());
        // The channel numbers cannot be edited.
        QVERIFY(!(Child<QTableWidget>(d, "gvData")->item(0, 0)->flags() & Qt::ItemIsEditable));
        QCOMPARE(Child<QTableWidget>(d, "gvData")->columnWidth(0), 60);
        QCOMPARE(Child<QTableWidget>(d, "gvData")->rowHeight(0), 22);
        d.reject();
    }

    void typingIsFiltered() {
        DialogFixture f;
        QVERIFY(RunTestFrequency(f, [&](TfTestFrequency& d) {
            EditCell(Child<QTableWidget>(d, "gvData"), 8, TfTestFrequency::TxFreq, QStringLiteral("-4a5b0"));
            QTest::mouseClick(Child<QPushButton>(d, "btnOk"), Qt::LeftButton);
        }));
        // Neither signs nor letters can be typed: 450 is what arrives.
        QCOMPARE(f.Db->TestFrequencies.TxFreq[9], QStringLiteral("450.00000"));
    }

    void reminderOnClosing_data() {
        QTest::addColumn<bool>("edit");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<bool>("reminded");
        QTest::addColumn<QString>("stored");
        QTest::newRow("no edit, OK") << false << true << false << "460.05000";
        QTest::newRow("no edit, Cancel") << false << false << false << "460.05000";
        QTest::newRow("edit, OK") << true << true << true << "461.00000";
        QTest::newRow("edit, Cancel discards") << true << false << true << "460.05000";
    }
    void reminderOnClosing() {
        QFETCH(bool, edit);
        QFETCH(bool, ok);
        QFETCH(bool, reminded);
        QFETCH(QString, stored);
        DialogFixture f;
        RunTestFrequency(f, [&](TfTestFrequency& d) {
            if (edit)
                EditCell(Child<QTableWidget>(d, "gvData"), 0, TfTestFrequency::RxFreq, QStringLiteral("461"));
            QTest::mouseClick(ok ? Child<QPushButton>(d, "btnOk") : Child<QPushButton>(d, "btnCancel"),
                              Qt::LeftButton);
        });
        QCOMPARE(f.Shown(), reminded ? QStringList{kReminder} : QStringList{});
        if (reminded)
            QCOMPARE(f.Captions().first(), QStringLiteral("提示"));
        QCOMPARE(f.Db->TestFrequencies.RxFreq[1], stored);
    }

    void closeBoxAlsoReminds() {
        DialogFixture f;
        RunTestFrequency(f, [&](TfTestFrequency& d) {
            EditCell(Child<QTableWidget>(d, "gvData"), 1, TfTestFrequency::TxFreq, QStringLiteral("441"));
            d.close();
        });
        QCOMPARE(f.Shown(), QStringList{kReminder});
        QCOMPARE(f.Db->TestFrequencies.TxFreq[2], QStringLiteral("440.10000"));
    }

    // OK by its shortcut while a cell is still being typed takes that text.
    void okTakesTheOpenEditor() {
        DialogFixture f;
        QVERIFY(RunTestFrequency(f, [&](TfTestFrequency& d) {
            Child<QTableWidget>(d, "gvData")->setCurrentCell(10, TfTestFrequency::RxFreq);
            Child<QTableWidget>(d, "gvData")
                ->editItem(Child<QTableWidget>(d, "gvData")->item(10, TfTestFrequency::RxFreq));
            auto* editor = Child<QTableWidget>(d, "gvData")->viewport()->findChild<QLineEdit*>();
            QVERIFY(editor);
            QTest::keyClicks(editor, QStringLiteral("433.5"));
            d.btnOkClick();
        }));
        QCOMPARE(f.Db->TestFrequencies.RxFreq[11], QStringLiteral("433.50000"));
    }

    void englishTitlesAndReminder() {
        DialogFixture f(Language::English);
        RunTestFrequency(f, [&](TfTestFrequency& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Test Frequencies"));
            QCOMPARE(Child<QTableWidget>(d, "gvData")->model()->headerData(1, Qt::Horizontal).toString(),
                     QStringLiteral("Rx (MHz)"));
            EditCell(Child<QTableWidget>(d, "gvData"), 0, TfTestFrequency::RxFreq, QStringLiteral("462"));
            QTest::mouseClick(Child<QPushButton>(d, "btnCancel"), Qt::LeftButton);
        });
        QCOMPARE(f.Shown(),
                 QStringList{QStringLiteral("The test frequencies have changed. Write to the radio before "
                                            "you enter its test mode.")});
    }

    // ---- about box ----

    void aboutWithoutLanguageFiles() {
        DialogFixture f;
        TfFrmAbout d(*f.Db);
        d.show();
        QCOMPARE(d.windowTitle(), QStringLiteral("N47"));
        QCOMPARE(Child<QPlainTextEdit>(d, "Memo1")->toPlainText().split(QLatin1Char('\n')),
                 QStringList(
                     {"警告：", Child<QLabel>(d, "Label6")->text(), "", Child<QLabel>(d, "Label7")->text()}));
        QCOMPARE(Child<QLabel>(d, "Label2")->text(), QStringLiteral("版本：VER07.01"));
        QCOMPARE(Child<QLabel>(d, "Label3")->text(), QStringLiteral("日期：2007年05月18日"));
        QVERIFY(!Child<QLabel>(d, "ImApp")->pixmap().isNull());
    }

    // Translated even for the first language; the memo is filled after the translation.
    void aboutTakesTheLanguageFileOfTheFirstLanguage() {
        DialogFixture f;
        f.WriteFile(QStringLiteral("Chinese.Ini"),
                    "[Language]\nAppName=V35 Programmer\n"
                    "[fFrmAbout]\nLabel5.Caption=Notice:\nLabel2.Caption=Version 2\n");
        f.Db->ReloadMessages();
        TfFrmAbout d(*f.Db);
        d.show();
        QCOMPARE(f.Db->AppState.LanguageIndex, 0);
        QCOMPARE(d.windowTitle(), QStringLiteral("V35 Programmer"));
        QCOMPARE(Child<QLabel>(d, "Label2")->text(), QStringLiteral("Version 2"));
        QCOMPARE(Child<QPlainTextEdit>(d, "Memo1")->toPlainText().split(QLatin1Char('\n')).first(),
                 QStringLiteral("Notice:"));
    }

    void aboutClosesOnAnyClick_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("button");
        QTest::newRow("box, left") << "" << int(Qt::LeftButton);
        QTest::newRow("box, right") << "" << int(Qt::RightButton);
        QTest::newRow("title label") << "Label1" << int(Qt::LeftButton);
        QTest::newRow("version label, middle") << "Label2" << int(Qt::MiddleButton);
        QTest::newRow("date label") << "Label3" << int(Qt::LeftButton);
    }
    void aboutClosesOnAnyClick() {
        QFETCH(QString, target);
        QFETCH(int, button);
        DialogFixture f;
        bool closed = false;
        f.OnDialog[QStringLiteral("fFrmAbout")] = [&](QDialog& dialog) {
            QWidget* w = target.isEmpty() ? &dialog : dialog.findChild<QWidget*>(target);
            QVERIFY(w);
            QTest::mouseClick(w, Qt::MouseButton(button), {}, QPoint(2, 2));
            closed = !dialog.isVisible();
        };
        TfFrmAbout::Run(*f.Db, *f.Ui, nullptr);
        QVERIFY(closed);
    }

    void aboutClosesWithTheKeyboard() {
        DialogFixture f;
        bool closed = false;
        f.OnDialog[QStringLiteral("fFrmAbout")] = [&](QDialog& dialog) {
            QTest::keyClick(&dialog, Qt::Key_Return);
            closed = !dialog.isVisible();
        };
        TfFrmAbout::Run(*f.Db, *f.Ui, nullptr);
        QVERIFY(closed);
    }
};

QTEST_MAIN(TestSmallDialogs)
#include "test_smalldialogs.moc"
