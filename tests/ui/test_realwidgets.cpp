// The user's paths through real windows: key and mouse events on the actual grid, editors and
// dialogs, every modal window answered from a timer. The scripted seams of the other tests replace
// exactly the modal loops and focus changes that lost data here.

#include "ModalScript.h"
#include "UiFixture.h"

#include "radiodata/ChannelTable.h"
#include "sim/VirtualRadio.h"
#include "ui/ChannelGrid.h"
#include "ui/ChannelModel.h"
#include "ui/VirtualRadioPort.h"

#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QWheelEvent>

namespace {

constexpr int Rx = ChannelTable::RxFrequency;
constexpr int Tx = ChannelTable::TxFrequency;
constexpr int RxTone = ChannelTable::RxTone;
constexpr int Power = ChannelTable::Power;

QPushButton* Button(QWidget* dialog, const char* name) {
    return dialog->findChild<QPushButton*>(QLatin1String(name));
}

} // namespace

class RealWidgetsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<UiFixture> F;
    std::unique_ptr<ModalScript> Script;

    TfMainFrm& W() { return *F->Window; }
    QComboBox* BandSelector() { return Child<QComboBox>(W(), "cbFreq"); }
    TChannelGrid* Grid() { return W().Grid(); }
    ChannelTable& Table() { return F->Db->MainTable; }
    QModelIndex Cell(int channel, int column) {
        return W().Channels()->index(channel - 1, ChannelModel::ModelColumn(column));
    }
    QPoint CellCentre(int channel, int column) {
        Grid()->scrollTo(Cell(channel, column));
        return Grid()->visualRect(Cell(channel, column)).center();
    }
    void ClickCell(int channel, int column) {
        QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, {}, CellCentre(channel, column));
        QCoreApplication::processEvents();
    }

    // Clicks the frequency cell and types into the editor that opens, then Enter.
    void TypeInCell(int channel, int column, const QString& keys) {
        ClickCell(channel, column);
        auto* edit = qobject_cast<QLineEdit*>(Grid()->OpenEditor());
        QVERIFY(edit);
        edit->selectAll();
        QTest::keyClicks(edit, keys);
        QTest::keyClick(edit, Qt::Key_Return);
        QCoreApplication::processEvents();
    }

    // Every text of the channel table, to show that nothing anywhere changed.
    QStringList AllTexts() {
        QStringList texts;
        for (int k = 1; k <= Table().RowCount(); ++k)
            for (int c = ChannelTable::ChannelNo; c <= ChannelTable::BusyLock; ++c)
                texts.append(Table().Text(k, c));
        return texts;
    }

    // Types a name into the file dialog, in the test's directory, and presses Enter.
    void TypeFileName(QFileDialog* dialog, const QString& name) {
        dialog->setDirectory(F->Dir());
        QCoreApplication::processEvents();
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QVERIFY(edit);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, name);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    // The offscreen platform does not give the activation back when a modal window closes, as a
    // window manager does; the window's own focus widget is what it then gets back.
    void Reactivate() {
        W().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&W()));
    }

    void WaitForHandled(const QString& name, int count = 1) {
        QTRY_VERIFY_WITH_TIMEOUT(Script->Seen.count(name) >= count, 5000);
    }

private slots:
    void init() {
        UiOptions options;
        options.RealDialogs = true;
        F = std::make_unique<UiFixture>(options);
        Script = std::make_unique<ModalScript>();
        W().show();
        W().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&W()));
        Grid()->setFocus();
    }
    void cleanup() {
        Script.reset();
        F.reset();
    }

    // The picker runs modally from the tone editor; the editor it came from is gone when it
    // closes, and the pick lands in the cell all the same.
    void tonePickedFromTheGridEditor() {
        TypeInCell(1, Rx, QStringLiteral("430"));
        Script->On(QStringLiteral("fToneOption"), [](QWidget* w) {
            auto* table = w->findChild<QTableWidget*>(QStringLiteral("gvCtcss"));
            QVERIFY(table);
            const QList<QTableWidgetItem*> found = table->findItems(QStringLiteral("88.5"), Qt::MatchExactly);
            QVERIFY(!found.isEmpty());
            const QRect r = table->visualItemRect(found.first());
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, r.center());
            QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, r.center());
        });
        ClickCell(1, RxTone);
        auto* combo = qobject_cast<QComboBox*>(Grid()->OpenEditor());
        QVERIFY(combo && combo->lineEdit());
        QTest::mouseDClick(combo->lineEdit(), Qt::LeftButton);
        WaitForHandled(QStringLiteral("fToneOption"));
        QTRY_COMPARE(Table().Text(1, RxTone), QStringLiteral("88.5"));
        QVERIFY(Script->Unexpected.isEmpty());
        QVERIFY(F->Db->AppState.Modified);
    }

    // Keys on a cell that cannot be edited do nothing: no search moves the cell to another
    // channel, whose editor would take the rest of the keys.
    void keysOnAReadOnlyCellChangeNothing_data() {
        QTest::addColumn<int>("channel");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("keys");
        QTest::newRow("transmit cell of an unused channel") << 9 << Tx << "446.5";
        QTest::newRow("tone cell of an unused channel") << 14 << RxTone << "88.5";
        QTest::newRow("channel number") << 3 << static_cast<int>(ChannelTable::ChannelNo) << "4";
    }
    void keysOnAReadOnlyCellChangeNothing() {
        QFETCH(int, channel);
        QFETCH(int, column);
        QFETCH(QString, keys);
        TypeInCell(1, Rx, QStringLiteral("400.00625"));
        TypeInCell(2, Rx, QStringLiteral("425.1"));
        TypeInCell(3, Rx, QStringLiteral("446.5"));
        Script->Seen.clear();
        const QStringList before = AllTexts();
        ClickCell(channel, column);
        QTest::keyClicks(QApplication::focusWidget(), keys);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCoreApplication::processEvents();
        QCOMPARE(AllTexts(), before);
        QCOMPARE(Grid()->currentIndex(), Cell(channel, column));
    }

    // The preview's PDF export offers and adds ".pdf": a name typed as that of a codeplug leaves
    // the codeplug as it was. The preview fits the screen.
    void pdfExportKeepsTheCodeplugOfTheSameName() {
        const QString dat = F->Dir() + QStringLiteral("plan.dat");
        {
            QFile file(dat);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("codeplug bytes");
        }
        QSize previewSize;
        Script->On(QStringLiteral("ReportPreview"), [&](QWidget* w) {
            previewSize = w->frameGeometry().size();
            auto* exportPdf = w->findChild<QAction*>(QStringLiteral("nExportPdf"));
            QVERIFY(exportPdf);
            exportPdf->trigger();
            static_cast<QDialog*>(w)->reject();
        });
        Script->On(QStringLiteral("QFileDialog"),
                   [&](QWidget* w) { TypeFileName(static_cast<QFileDialog*>(w), QStringLiteral("plan")); });
        // A "replace?" question is answered as a hurried user would.
        Script->On(QStringLiteral("QMessageBox"),
                   [](QWidget* w) { ModalScript::Click(w, QMessageBox::YesRole); });
        QTest::keyClick(&W(), Qt::Key_V, Qt::ControlModifier);
        WaitForHandled(QStringLiteral("ReportPreview"));
        QTRY_VERIFY(!QApplication::activeModalWidget());

        QFile kept(dat);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("codeplug bytes"));
        QFile pdf(F->Dir() + QStringLiteral("plan.pdf"));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.read(5) == "%PDF-");
        const QSize room = W().screen()->availableGeometry().size();
        QVERIFY2(previewSize.width() <= room.width() && previewSize.height() <= room.height(),
                 qPrintable(QStringLiteral("%1x%2").arg(previewSize.width()).arg(previewSize.height())));
    }

    // Yes to ClearData, Yes to SaveProgram: a cancelled save puts everything back, the frequency
    // mode included; a completed save changes the band and resets the frequency mode.
    void bandChangeThroughTheSaveQuestion_data() {
        QTest::addColumn<bool>("saved");
        QTest::newRow("save cancelled") << false;
        QTest::newRow("saved") << true;
    }
    void bandChangeThroughTheSaveQuestion() {
        QFETCH(bool, saved);
        TypeInCell(1, Rx, QStringLiteral("430"));
        F->Db->FunctionSettings.VfoRxFreq = 433.5;
        const QString band = F->Db->AppState.BandName;
        Script->On(QStringLiteral("QMessageBox"),
                   [](QWidget* w) { ModalScript::Click(w, QMessageBox::YesRole); });
        Script->On(QStringLiteral("QFileDialog"), [&](QWidget* w) {
            auto* dialog = static_cast<QFileDialog*>(w);
            if (!saved) {
                dialog->reject();
                return;
            }
            TypeFileName(dialog, QStringLiteral("before.dat"));
        });
        BandSelector()->setFocus();
        QTest::keyClick(BandSelector(), Qt::Key_Down);
        QTRY_VERIFY(!QApplication::activeModalWidget());
        QCOMPARE(Script->Seen, (QStringList{QStringLiteral("QMessageBox"), QStringLiteral("QMessageBox"),
                                            QStringLiteral("QFileDialog")}));
        if (saved) {
            QVERIFY(F->Db->AppState.BandName != band);
            QCOMPARE(BandSelector()->currentText(), F->Db->AppState.BandName);
            QCOMPARE(F->Db->FunctionSettings.VfoRxFreq, 0.0);
            QVERIFY(!Table().IsChannelInUse(1));
            QVERIFY(QFile::exists(F->Dir() + QStringLiteral("before.dat")));
        } else {
            QCOMPARE(F->Db->AppState.BandName, band);
            QCOMPARE(BandSelector()->currentText(), band);
            QCOMPARE(F->Db->FunctionSettings.VfoRxFreq, 433.5);
            QCOMPARE(Table().Text(1, Rx), QStringLiteral("430.00000"));
        }
    }

    // Unsaved edits are offered for saving before a read; cancelling that save cancels the read.
    void readAsksToSaveFirst_data() {
        QTest::addColumn<bool>("answerYes");
        QTest::addColumn<QStringList>("seen");
        QTest::newRow("yes, then the save cancelled: no read")
            << true << QStringList{QStringLiteral("QMessageBox"), QStringLiteral("QFileDialog")};
        QTest::newRow("no: the read dialog opens")
            << false << QStringList{QStringLiteral("QMessageBox"), QStringLiteral("fReadRadio")};
    }
    void readAsksToSaveFirst() {
        QFETCH(bool, answerYes);
        QFETCH(QStringList, seen);
        TypeInCell(1, Rx, QStringLiteral("430"));
        VirtualRadio radio;
        OfferVirtualRadio(*F->Ui, radio);
        F->Db->AppState.PortName = VirtualRadioPortName();
        Script->On(QStringLiteral("QMessageBox"), [&](QWidget* w) {
            // The save question; a port that cannot be opened is only reported.
            if (static_cast<QMessageBox*>(w)->text() != F->Db->Messages.SaveProgram)
                ModalScript::Click(w, QMessageBox::AcceptRole);
            else
                ModalScript::Click(w, answerYes ? QMessageBox::YesRole : QMessageBox::NoRole);
        });
        Script->On(QStringLiteral("QFileDialog"), [](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
        Script->On(QStringLiteral("fReadRadio"), [](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
        QTest::keyClick(&W(), Qt::Key_R, Qt::ControlModifier);
        QTRY_VERIFY(!QApplication::activeModalWidget());
        QCOMPARE(Script->Seen, seen);
        QCOMPARE(Script->Texts.value(0), F->Db->Messages.SaveProgram);
        QCOMPARE(Table().Text(1, Rx), QStringLiteral("430.00000"));
    }

    // OK in a settings dialog that changed a stored value sets Modified; OK without a change does not.
    void settingsDialogsSetModified_data() {
        QTest::addColumn<int>("tag");
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<bool>("change");
        const QList<std::pair<int, const char*>> dialogs = {
            {37, "fFunSet"}, {39, "fFreqModel"}, {19, "fEmbeddedMessage"}, {18, "fTestFrequency"}};
        for (const auto& [tag, name] : dialogs) {
            QTest::addRow("%s changed", name) << tag << QString::fromLatin1(name) << true;
            QTest::addRow("%s unchanged", name) << tag << QString::fromLatin1(name) << false;
        }
    }
    void settingsDialogsSetModified() {
        QFETCH(int, tag);
        QFETCH(QString, dialog);
        QFETCH(bool, change);
        QVERIFY(!F->Db->AppState.Modified);
        Script->On(dialog, [&](QWidget* w) {
            if (change) {
                if (auto* line = w->findChild<QLineEdit*>(QStringLiteral("edEMA"))) {
                    QTest::keyClicks(line, QStringLiteral("HELLO"));
                } else if (auto* table = w->findChild<QTableWidget*>(QStringLiteral("gvData"))) {
                    table->setCurrentCell(0, 1);
                    QTest::keyClicks(table, QStringLiteral("450"));
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
                } else {
                    auto* box = w->findChild<QComboBox*>(dialog == QLatin1String("fFreqModel")
                                                             ? QStringLiteral("cbbjpl")
                                                             : QStringLiteral("cbTFLev"));
                    QVERIFY(box);
                    box->setFocus();
                    QTest::keyClick(box, box->currentIndex() + 1 < box->count() ? Qt::Key_Down : Qt::Key_Up);
                }
            }
            QTest::mouseClick(Button(w, "btnOk"), Qt::LeftButton);
        });
        // The test frequency dialog reminds of the radio's test mode after an edit.
        Script->On(QStringLiteral("QMessageBox"),
                   [](QWidget* w) { ModalScript::Click(w, QMessageBox::AcceptRole); });
        W().RunCommand(tag);
        QTRY_VERIFY(!QApplication::activeModalWidget());
        QCOMPARE(Script->Seen.value(0), dialog);
        QCOMPARE(F->Db->AppState.Modified, change);
    }

    // The batch edit refuses the untouched start of 0 naming the field, and asks (default No)
    // before it overwrites channels in use.
    void batchEditAsksBeforeOverwriting() {
        TypeInCell(1, Rx, QStringLiteral("430"));
        TypeInCell(2, Rx, QStringLiteral("431"));
        const QStringList before = AllTexts();
        int boxes = 0;
        Script->On(QStringLiteral("QMessageBox"), [&](QWidget* w) {
            switch (++boxes) {
            case 1: // the start of 0
            case 2: // the question answered by Enter: its default is No
                QTest::keyClick(w, Qt::Key_Return);
                break;
            default:
                ModalScript::Click(w, QMessageBox::YesRole);
            }
        });
        QString lbReceive;
        QStringList afterNo;
        Script->On(QStringLiteral("fBBatchEdit"), [&](QWidget* w) {
            lbReceive = w->findChild<QLabel*>(QStringLiteral("lbReceive"))->text();
            QTest::mouseClick(Button(w, "btnOk"), Qt::LeftButton);
            for (const char* name : {"eReceive", "eSend"}) {
                auto* edit = w->findChild<QLineEdit*>(QLatin1String(name));
                edit->setFocus();
                edit->selectAll();
                QTest::keyClicks(edit, QStringLiteral("440"));
            }
            QTest::mouseClick(Button(w, "btnOk"), Qt::LeftButton);
            afterNo = AllTexts();
            QTest::mouseClick(Button(w, "btnOk"), Qt::LeftButton);
            static_cast<QDialog*>(w)->reject();
        });
        QTest::keyClick(&W(), Qt::Key_F10);
        QTRY_VERIFY(!QApplication::activeModalWidget());
        QCOMPARE(boxes, 3);
        QVERIFY(Script->Texts.value(0).startsWith(F->Db->Messages.ErrRange));
        QVERIFY(Script->Texts.value(0).contains(lbReceive.remove(QLatin1Char('&'))));
        QVERIFY(Script->Texts.value(1).contains(QStringLiteral("2")));
        QCOMPARE(afterNo, before);
        QCOMPARE(Table().Text(1, Rx), QStringLiteral("440.00000"));
        QCOMPARE(Table().Text(128, Rx).isEmpty(), false);
    }

    // After a message box the focus is back on the grid's cell: the next arrow key moves in the
    // grid instead of changing the band (and asking to clear the data).
    void focusReturnsToTheGridAfterAMessageBox() {
        Script->On(QStringLiteral("QMessageBox"),
                   [](QWidget* w) { ModalScript::Click(w, QMessageBox::AcceptRole); });
        TypeInCell(1, Rx, QStringLiteral("900"));
        QTRY_VERIFY(!QApplication::activeModalWidget());
        QCOMPARE(Script->Texts, QStringList{F->Db->Messages.OutRange});
        Reactivate();
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus && (focus == Grid() || Grid()->isAncestorOf(focus)));
        const QString band = BandSelector()->currentText();
        QTest::keyClick(focus, Qt::Key_Down);
        QCoreApplication::processEvents();
        QCOMPARE(BandSelector()->currentText(), band);
        QCOMPARE(Grid()->currentIndex().row(), 1);
        QCOMPARE(Script->Seen.size(), 1);

        // The same after a command run from the menu.
        Script->On(QStringLiteral("fFrmAbout"), [](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
        W().RunCommand(35);
        QTRY_VERIFY(!QApplication::activeModalWidget());
        Reactivate();
        QCOMPARE(QApplication::focusWidget(), Grid());
    }

    // Up/Down and the wheel over an open list editor move through the grid; the value changes only
    // when the list is dropped down.
    void listEditorArrowsMoveRows() {
        TypeInCell(1, Rx, QStringLiteral("430"));
        TypeInCell(2, Rx, QStringLiteral("431"));
        const QString power = Table().Text(1, Power);
        ClickCell(1, Power);
        auto* combo = qobject_cast<QComboBox*>(Grid()->OpenEditor());
        QVERIFY(combo);
        QWheelEvent wheel(QPointF(5, 5), combo->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(combo, &wheel);
        QCOMPARE(Table().Text(1, Power), power);
        QTest::keyClick(combo, Qt::Key_Down);
        QCoreApplication::processEvents();
        QCOMPARE(Table().Text(1, Power), power);
        QCOMPARE(Grid()->currentIndex(), Cell(2, Power));
        auto* next = qobject_cast<QComboBox*>(Grid()->OpenEditor());
        QVERIFY(next);
        QTest::keyClick(next, Qt::Key_Up);
        QCoreApplication::processEvents();
        QCOMPARE(Grid()->currentIndex(), Cell(1, Power));
        QCOMPARE(Table().Text(2, Power), Table().Text(1, Power));
    }

    // Huge or comma-grouped numbers pasted into the channel edit dialog: the high end, or refused.
    void channelEditTakesPastedNumbers_data() {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("message");
        QTest::newRow("1e308 is far above the band") << "1e308"
                                                     << "470.00000"
                                                     << "OutRange";
        QTest::newRow("a comma is no decimal point") << "460,125"
                                                     << "430.00000"
                                                     << "ErrRange";
        QTest::newRow("nor a group separator") << "1,000"
                                               << "430.00000"
                                               << "ErrRange";
    }
    void channelEditTakesPastedNumbers() {
        QFETCH(QString, pasted);
        QFETCH(QString, stored);
        QFETCH(QString, message);
        TypeInCell(1, Rx, QStringLiteral("430"));
        Grid()->setCurrentIndex(Cell(1, Rx));
        Script->On(QStringLiteral("QMessageBox"),
                   [](QWidget* w) { ModalScript::Click(w, QMessageBox::AcceptRole); });
        Script->On(QStringLiteral("fBInfoEdit"), [&](QWidget* w) {
            auto* edit = w->findChild<QLineEdit*>(QStringLiteral("eReceive"));
            edit->setFocus();
            edit->selectAll();
            QApplication::clipboard()->setText(pasted);
            QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
            QTest::keyClick(edit, Qt::Key_Return);
            QTest::mouseClick(Button(w, "btnClose"), Qt::LeftButton);
        });
        QTest::keyClick(&W(), Qt::Key_F11);
        QTRY_VERIFY(!QApplication::activeModalWidget());
        const TLanguage& m = F->Db->Messages;
        QCOMPARE(Script->Texts.value(0), message == QLatin1String("OutRange") ? m.OutRange : m.ErrRange);
        QCOMPARE(Table().Text(1, Rx), stored);
    }

    // The channel number typed into the channel edit dialog goes to the nearest channel; after
    // OutRange on the transmit frequency the focus moves on to the receive tone.
    void channelEditNumberAndFocus_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("shown");
        QTest::newRow("past the last") << "150" << 128;
        QTest::newRow("zero") << "0" << 1;
        QTest::newRow("inside") << "17" << 17;
    }
    void channelEditNumberAndFocus() {
        QFETCH(QString, typed);
        QFETCH(int, shown);
        TypeInCell(1, Rx, QStringLiteral("430"));
        Grid()->setCurrentIndex(Cell(5, Rx));
        Script->On(QStringLiteral("QMessageBox"),
                   [](QWidget* w) { ModalScript::Click(w, QMessageBox::AcceptRole); });
        int value = 0;
        QString focusAfterOutRange;
        Script->On(QStringLiteral("fBInfoEdit"), [&](QWidget* w) {
            auto* spin = w->findChild<QSpinBox*>(QStringLiteral("sexd"));
            spin->setFocus();
            spin->selectAll();
            QTest::keyClicks(spin, typed);
            QTest::keyClick(spin, Qt::Key_Return);
            value = spin->value();
            spin->setValue(1);
            auto* send = w->findChild<QLineEdit*>(QStringLiteral("eSend"));
            send->setFocus();
            send->selectAll();
            QTest::keyClicks(send, QStringLiteral("480"));
            QTest::keyClick(send, Qt::Key_Return);
            // The dialog's focus child: the box took the activation, and offscreen it does not
            // come back by itself.
            const QWidget* focus = w->focusWidget();
            while (focus && focus->objectName().isEmpty())
                focus = focus->parentWidget();
            focusAfterOutRange = focus ? focus->objectName() : QString();
            static_cast<QDialog*>(w)->reject();
        });
        QTest::keyClick(&W(), Qt::Key_F11);
        QTRY_VERIFY(!QApplication::activeModalWidget());
        QCOMPARE(value, shown);
        QCOMPARE(Script->Texts, QStringList{F->Db->Messages.OutRange});
        QCOMPARE(focusAfterOutRange, QStringLiteral("cbQT"));
    }

    // Opening a test frequency editor and leaving it untouched is no edit: no range message, no
    // closing reminder.
    void testFrequencyUntouchedEditorIsNoEdit() {
        Script->On(QStringLiteral("fTestFrequency"), [](QWidget* w) {
            auto* table = w->findChild<QTableWidget*>(QStringLiteral("gvData"));
            table->setFocus();
            table->setCurrentCell(2, 1);
            QCOMPARE(table->item(2, 1)->text(), QStringLiteral("479.95000"));
            QTest::keyClick(table, Qt::Key_F2);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QTest::mouseClick(Button(w, "btnOk"), Qt::LeftButton);
        });
        W().RunCommand(18);
        QTRY_VERIFY(!QApplication::activeModalWidget());
        QCOMPARE(Script->Seen, QStringList{QStringLiteral("fTestFrequency")});
        QVERIFY(!F->Db->AppState.Modified);
    }

    // A frequency the band cannot use (from a file, JSON or a read) is marked in the grid, and
    // the write refuses to send it, naming the channels.
    void channelsOutsideTheBandAreMarkedAndNotWritten() {
        TypeInCell(1, Rx, QStringLiteral("430"));
        TypeInCell(3, Rx, QStringLiteral("431"));
        TypeInCell(5, Rx, QStringLiteral("432"));
        // As a file for another band would bring them.
        Table().SetText(3, Rx, QStringLiteral("145.50000"));
        Table().SetText(5, Tx, QStringLiteral("700.00000"));
        const QModelIndex marked = Cell(3, Rx);
        QVERIFY(marked.data(Qt::BackgroundRole).isValid());
        QVERIFY(marked.data(Qt::ToolTipRole).toString().contains(QStringLiteral("390.00000")));
        QVERIFY(marked.data(Qt::ToolTipRole).toString().contains(QStringLiteral("480.00000")));
        QVERIFY(!Cell(1, Rx).data(Qt::BackgroundRole).isValid());
        QVERIFY(!Cell(5, Rx).data(Qt::ToolTipRole).isValid());
        QVERIFY(Cell(5, Tx).data(Qt::ToolTipRole).isValid());

        VirtualRadio radio;
        OfferVirtualRadio(*F->Ui, radio);
        F->Db->AppState.PortName = VirtualRadioPortName();
        Script->On(QStringLiteral("QMessageBox"),
                   [](QWidget* w) { ModalScript::Click(w, QMessageBox::AcceptRole); });
        Script->On(QStringLiteral("fWriteRadio"), [](QWidget* w) {
            QTest::mouseClick(Button(w, "btnOk"), Qt::LeftButton);
            static_cast<QDialog*>(w)->reject();
        });
        QTest::keyClick(&W(), Qt::Key_W, Qt::ControlModifier);
        QTRY_VERIFY(!QApplication::activeModalWidget());
        QCOMPARE(Script->Seen.value(1), QStringLiteral("QMessageBox"));
        const QString refusal = Script->Texts.value(0);
        QVERIFY2(refusal.contains(QStringLiteral("3, 5")), qPrintable(refusal));
        QVERIFY(!refusal.contains(QStringLiteral("1,")));
        QVERIFY(radio.Radio().Commands().isEmpty());
    }
};

QTEST_MAIN(RealWidgetsTest)
#include "test_realwidgets.moc"
