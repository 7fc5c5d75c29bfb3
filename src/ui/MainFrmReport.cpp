// The settings report of the main window's data: its header and detail tables, and printing them.

#include "MainFrm.h"
#include "ReportRenderer.h"
#include "UiServices.h"
#include "app/Maindb.h"
#include "app/ReportBuilder.h"

#include <QDateTime>

void TfMainFrm::FillReportTables() {
    BuildSettingsReport(Db);
}

void TfMainFrm::PrintReport(bool preview) {
    FillReportTables();
    const ReportRenderer report(Db.myMain.value(0), Db.myAdo, QDateTime::currentDateTime());
    Ui.ShowReport(report, preview, this);
}
