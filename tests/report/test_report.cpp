#include "app/DatCommands.h"
#include "core/FullDisk.h"
#include "radiodata/ChannelTable.h"
#include "ui/ReportRenderer.h"
#include "ui/UiFixture.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

namespace {

const QDateTime kPrintedAt(QDate(2026, 12, 9), QTime(15, 24, 5));

// The text of every page of a PDF, as pdftotext lays it out.
QStringList PdfPages(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

// The non-blank lines of a page, with runs of blanks folded to one.
QStringList Lines(const QString& page) {
    QStringList lines;
    for (const QString& l : page.split(QLatin1Char('\n'))) {
        const QString t = l.simplified();
        if (!t.isEmpty())
            lines.append(t);
    }
    return lines;
}

QStringList Flatten(const QList<TAdoRecord>& rows) {
    QStringList out;
    for (const TAdoRecord& r : rows)
        out.append(QStringLiteral("%1|%2|%3|%4|%5|%6")
                       .arg(r.TypeID)
                       .arg(r.TypeName, r.AField, r.AValue, r.BField, r.BValue));
    return out;
}

// Puts a channel in use as typing its receive frequency does.
void AddChannel(TfMaindb& db, int k, const QString& rx, const QString& tx) {
    db.MainTable.SetText(k, ChannelTable::RxFrequency, rx);
    db.MainTable.ActivateChannel(k);
    db.MainTable.SetText(k, ChannelTable::TxFrequency, tx);
}

QString ExportPdf(UiFixture& f, const QString& name) {
    f.Window->FillReportTables();
    const QString path = f.Dir() + name;
    QString error;
    const ReportRenderer report(f.Db->myMain.value(0), f.Db->myAdo, kPrintedAt);
    if (!report.ExportPdf(path, QPageSize::Letter, &error))
        qWarning() << error;
    return path;
}

bool HasCjk(const QString& text) {
    for (const QChar c : text)
        if ((c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF) ||
            (c.unicode() >= 0x3000 && c.unicode() <= 0x303F) ||
            (c.unicode() >= 0xFF00 && c.unicode() <= 0xFFEF))
            return true;
    return false;
}

} // namespace

class TestReport : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QFAIL("pdftotext (poppler-utils) is needed to read the report back");
    }

    void threeChannelsOneWithoutTransmit() {
        UiFixture f;
        f.Show();
        AddChannel(*f.Db, 1, QStringLiteral("446.00625"), QStringLiteral("446.00625"));
        AddChannel(*f.Db, 2, QStringLiteral("446.01250"), QStringLiteral("446.51250"));
        AddChannel(*f.Db, 5, QStringLiteral("460.05000"), QString());
        const QStringList pages = PdfPages(ExportPdf(f, QStringLiteral("three.pdf")));
        QCOMPARE(pages.size(), 3); // each group after the first on a new page

        for (int i = 0; i < pages.size(); ++i) {
            const QStringList lines = Lines(pages[i]);
            // Page header on every page, page number at the foot.
            QCOMPARE(lines.value(0), QStringLiteral("N47"));
            QCOMPARE(lines.value(1), QStringLiteral("2026/12/09 15:24:05"));
            QCOMPARE(lines.value(2), QStringLiteral("机型： V35"));
            QCOMPARE(lines.value(3), QStringLiteral("频率： 400.0 - 470.0MHz"));
            QCOMPARE(lines.last(), QString::number(i + 1));
        }

        const QStringList functions = Lines(pages[0]).mid(4, 15);
        QCOMPARE(functions.value(0), QStringLiteral("功能设置"));
        const QStringList defaults = {"开",   "开",   "有",       "关闭", "0.3", "高", "5",
                                      "自动", "橙色", "搜索扫描", "手动", "180", "宽", "有"};
        for (int i = 0; i < defaults.size(); ++i)
            QVERIFY2(functions.value(i + 1).endsWith(QLatin1Char(' ') + defaults[i]),
                     qPrintable(functions.value(i + 1)));

        const QStringList vfo = Lines(pages[1]).mid(4, 7);
        QCOMPARE(vfo,
                 (QStringList{"全频模式设置", "接收频率(MHz) 400.00000", "步进频率 12.5K", "接收亚音频 无",
                              "发射亚音频 无", "位差方向 同频", "位差频率(MHz) 0.00000"}));

        const QStringList channels = Lines(pages[2]).mid(4);
        const QStringList expected = {
            "信道频率设置",
            "信道编号1",
            "接收频率 446.00625 发射频率 446.00625",
            "接收信令 无 发射信令 无",
            "发射功率 高 宽/窄 宽带",
            "扫描添加 是 可选信令 DTMF",
            "PTTID 开 繁忙锁定 关闭",
            "信道编号2",
            "接收频率 446.01250 发射频率 446.51250",
            "接收信令 无 发射信令 无",
            "发射功率 高 宽/窄 宽带",
            "扫描添加 是 可选信令 DTMF",
            "PTTID 开 繁忙锁定 关闭",
            "信道编号5",
            "接收频率 460.05000 发射频率", // no transmit frequency: an empty value
            "接收信令 无 发射信令 无",
            "发射功率 高 宽/窄 宽带",
            "扫描添加 是 可选信令 DTMF",
            "PTTID 开 繁忙锁定 关闭",
            "3",
        };
        QCOMPARE(channels, expected);
    }

    // A channel's six lines stay on one page; each page that continues the channels repeats the
    // group's title.
    void channelsStayWholeAcrossPages() {
        UiFixture f;
        f.Show();
        for (int k = 1; k <= 128; ++k)
            AddChannel(*f.Db, k, QStringLiteral("446.00625"), QStringLiteral("446.00625"));
        const QStringList pages = PdfPages(ExportPdf(f, QStringLiteral("all.pdf")));
        QVERIFY(pages.size() > 4);
        int channels = 0;
        for (int p = 2; p < pages.size(); ++p) {
            QStringList lines = Lines(pages[p]).mid(4);
            QCOMPARE(lines.value(0), QStringLiteral("信道频率设置"));
            QCOMPARE(lines.last(), QString::number(p + 1));
            lines = lines.mid(1, lines.size() - 2);
            QVERIFY2(!lines.isEmpty() && lines.size() % 6 == 0, qPrintable(lines.join(QLatin1Char('|'))));
            for (int i = 0; i < lines.size(); i += 6) {
                QCOMPARE(lines[i], QStringLiteral("信道编号%1").arg(++channels));
                QVERIFY(lines[i + 5].startsWith(QStringLiteral("PTTID")));
            }
        }
        QCOMPARE(channels, 128);
    }

    // A report that cannot be written in full leaves the old file as it was, and says why.
    void fullDiskKeepsTheOldReport() {
        UiFixture f;
        f.Show();
        AddChannel(*f.Db, 1, QStringLiteral("446.00625"), QStringLiteral("446.00625"));
        f.Window->FillReportTables();
        const ReportRenderer report(f.Db->myMain.value(0), f.Db->myAdo, kPrintedAt);
        const QString path = f.Dir() + QStringLiteral("old.pdf");
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old report");
        old.close();
        QString error;
        {
            const FileSizeLimit limit(4096);
            QVERIFY(!report.ExportPdf(path, QPageSize::Letter, &error));
        }
        QVERIFY2(error.contains(QStringLiteral("File too large")), qPrintable(error));
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("old report"));
        QCOMPARE(QDir(f.Dir()).entryList({QStringLiteral("*.pdf*")}, QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("old.pdf")});
    }

    void noChannelGivesTitleAndOneEmptyLine() {
        UiFixture f;
        f.Show();
        f.Window->FillReportTables();
        QList<TAdoRecord> channelRows;
        for (const TAdoRecord& r : f.Db->myAdo)
            if (r.TypeID == TAdoRecord::Channels)
                channelRows.append(r);
        QCOMPARE(channelRows.size(), 1);
        QCOMPARE(channelRows[0].TypeName, QStringLiteral("信道频率设置"));
        QVERIFY(channelRows[0].AField.isEmpty() && channelRows[0].AValue.isEmpty() &&
                channelRows[0].BField.isEmpty() && channelRows[0].BValue.isEmpty());
        const QStringList pages = PdfPages(ExportPdf(f, QStringLiteral("empty.pdf")));
        QCOMPARE(pages.size(), 3);
        QCOMPARE(Lines(pages[2]).mid(4), (QStringList{"信道频率设置", "3"}));
    }

    void printingTwiceGivesTheSameReport() {
        UiFixture f;
        f.Show();
        AddChannel(*f.Db, 3, QStringLiteral("440.00000"), QStringLiteral("445.00000"));
        f.Window->FillReportTables();
        const QStringList first = Flatten(f.Db->myAdo);
        const QList<TMainRecord> header = f.Db->myMain;
        f.Window->FillReportTables();
        QCOMPARE(Flatten(f.Db->myAdo), first);
        QCOMPARE(f.Db->myMain.size(), 1);
        QCOMPARE(header.size(), 1);
        QCOMPARE(PdfPages(ExportPdf(f, QStringLiteral("a.pdf"))),
                 PdfPages(ExportPdf(f, QStringLiteral("b.pdf"))));
    }

    void frequencyModeAsItStandsNow() {
        UiFixture f;
        f.Show();
        TFun& fun = f.Db->FunctionSettings;
        fun.VfoRxFreq = 0.0; // prints as the band's lower edge
        fun.VfoOffset = 5.0; // simplex: printed as 0
        fun.VfoRxTone = QStringLiteral("88.5");
        fun.VfoTxTone = QStringLiteral("D023I");
        fun.VfoStep = 4;
        f.Window->FillReportTables();
        QStringList vfo;
        for (const TAdoRecord& r : f.Db->myAdo)
            if (r.TypeID == TAdoRecord::FrequencyMode)
                vfo.append(r.AValue);
        QCOMPARE(vfo, (QStringList{"400.00000", "25K", "88.5", "D023I", "同频", "0.00000"}));

        fun.OffsetDirection = 1;
        fun.VfoOffset = 75.0;  // above the panel's limit
        fun.VfoRxFreq = 500.0; // more than 10 MHz above the band
        f.Window->FillReportTables();
        vfo.clear();
        for (const TAdoRecord& r : f.Db->myAdo)
            if (r.TypeID == TAdoRecord::FrequencyMode)
                vfo.append(r.AValue);
        QCOMPARE(vfo.value(0), QStringLiteral("470.00000"));
        QCOMPARE(vfo.value(4), QStringLiteral("+(高于接收)"));
        QCOMPARE(vfo.value(5), QStringLiteral("69.99500"));
        // The panel only shows: the settings themselves are not changed by printing.
        QCOMPARE(fun.VfoOffset, 75.0);
        QCOMPARE(fun.VfoRxFreq, 500.0);
    }

    void englishCaptions() {
        UiOptions options;
        options.SysInfo = QStringLiteral("[SysInfo]\nDefaultLanguage=1\nLanguage=Chinese|English\n");
        UiFixture f(options);
        f.Show();
        AddChannel(*f.Db, 1, QStringLiteral("446.00625"), QString());
        const QStringList pages = PdfPages(ExportPdf(f, QStringLiteral("english.pdf")));
        QCOMPARE(pages.size(), 3);
        const QString all = pages.join(QLatin1Char('\n'));
        QVERIFY2(!HasCjk(all), qPrintable(all));
        QVERIFY(all.contains(QLatin1String("12.5 kHz"))); // the step texts come from the language file
        QVERIFY(Lines(pages[2]).mid(4).value(1).endsWith(QLatin1Char('1')));
    }

    void commandsHandTheReportOver_data() {
        QTest::addColumn<int>("tag");
        QTest::addColumn<bool>("preview");
        QTest::newRow("print") << 7 << false;
        QTest::newRow("preview") << 8 << true;
    }
    void commandsHandTheReportOver() {
        QFETCH(int, tag);
        QFETCH(bool, preview);
        UiFixture f;
        f.Show();
        int calls = 0;
        bool asked = !preview;
        int pages = 0;
        f.Ui->ShowReport = [&](const ReportRenderer& report, bool p, QWidget*) {
            ++calls;
            asked = p;
            pages = report.PageCount(279.4);
        };
        f.Window->RunCommand(tag);
        QCOMPARE(calls, 1);
        QCOMPARE(asked, preview);
        QCOMPARE(pages, 3);
    }

    // The export runs under a QGuiApplication: a widget made on its way would abort it.
    void exportReportFromTheCommandLine() {
        UiFixture f;
        f.Show();
        AddChannel(*f.Db, 7, QStringLiteral("450.00000"), QStringLiteral("455.00000"));
        const QString dat = f.Dir() + QStringLiteral("in.dat");
        QVERIFY(SaveDatFile(*f.Db, dat, SaveMode::ChosenName, f.Prompts));

        const QString program = QStringLiteral(V35_BIN_DIR "/v35");
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("QT_QPA_PLATFORM")); // needs no display of its own
        env.remove(QStringLiteral("DISPLAY"));
        p.setProcessEnvironment(env);
        const QString pdf = f.Dir() + QStringLiteral("out.pdf");
        p.start(program, {QStringLiteral("--export-report"), dat, pdf});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 0);
        const QStringList pages = PdfPages(pdf);
        QCOMPARE(pages.size(), 3);
        QVERIFY(Lines(pages[2]).contains(QStringLiteral("信道编号7")));

        // A file that cannot be opened: exit status 1, the message, and no report.
        const QString bad = f.Dir() + QStringLiteral("short.dat");
        QFile file(bad);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(16, '\xFF'));
        file.close();
        const QString badPdf = f.Dir() + QStringLiteral("bad.pdf");
        p.start(program, {QStringLiteral("--export-report"), bad, badPdf});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 1);
        QVERIFY(QString::fromUtf8(p.readAllStandardError()).contains(QLatin1String("short.dat")));
        QVERIFY(!QFile::exists(badPdf));
    }
};

QTEST_MAIN(TestReport)
#include "test_report.moc"
