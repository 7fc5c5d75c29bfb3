// The settings report of the main window's data: its header and detail tables, and printing them.

#include "ChannelModel.h"
#include "FrequencyModePanel.h"
#include "MainFrm.h"
#include "ReportRenderer.h"
#include "UiServices.h"
#include "app/Maindb.h"
#include "dialogs/FunSet.h"

#include <QDateTime>
#include <QLabel>

void TfMainFrm::FillReportTables() {
    LoadFrequencyModePanel();
    Db.myAdo.clear();
    Db.myMain.clear();
    TMainRecord header;
    header.Title = Db.AppState.AppTitle;
    header.AField = modelCaption->text();
    header.AValue = Db.AppState.ModelName;
    header.CField = bandCaption->text();
    header.CValue = Db.AppState.BandName;
    Db.myMain.append(header);
    AddFunctionReportRows();
    AddChannelReportRows();
}

void TfMainFrm::AddFunctionReportRows() {
    // The dialog knows the captions and value texts of the settings in the current language.
    TfFunSet dialog(Db, this);
    dialog.AppendReportRows(Db.myAdo);
}

void TfMainFrm::AddChannelReportRows() {
    frequencyModePanel->AppendReportRows(Db.myAdo);

    const auto line = [this](const QString& group, const QString& aField, const QString& aValue,
                             const QString& bField = QString(), const QString& bValue = QString()) {
        Db.myAdo.append({TAdoRecord::Channels, group, aField, aValue, bField, bValue, 1});
    };
    const QString group = frequencyModePanel->ChannelGroupTitle();
    line(group, QString(), QString());
    const ChannelTable& table = Db.MainTable;
    const auto title = [this](int column) {
        return channelModel->headerData(ChannelModel::ModelColumn(column), Qt::Horizontal).toString();
    };
    // A channel's title line and its five value lines stay on one page.
    constexpr int kLinesPerChannel = 6;
    for (int k = 1; k <= table.RowCount(); ++k) {
        if (!table.IsChannelInUse(k))
            continue;
        line(group, title(ChannelTable::ChannelNo) + QString::number(k), QString());
        Db.myAdo.last().KeepTogether = kLinesPerChannel;
        for (int c = ChannelTable::RxFrequency; c < ChannelTable::BusyLock; c += 2)
            line(group, title(c), table.Text(k, c), title(c + 1), table.Text(k, c + 1));
    }
}

void TfMainFrm::PrintReport(bool preview) {
    FillReportTables();
    const ReportRenderer report(Db.myMain.value(0), Db.myAdo, QDateTime::currentDateTime());
    Ui.ShowReport(report, preview, this);
}
