#include "ToneOption.h"

#include "app/Maindb.h"
#include "core/ToneLists.h"
#include "ui/Controls.h"
#include "ui/TranslateForm.h"
#include "ui/UiServices.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QListWidget>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int kRowHeight = 20;
// Picker-table entries: 42 CTCSS rows and 3 empty ones, then 85 DCS rows and 3 empty ones.
constexpr int kCtcssGroups = 5;
constexpr int kCtcssRows = 9;
constexpr int kDcsFirstEntry = 45;
constexpr int kDcsGroups = 8;
constexpr int kDcsRows = 11;

const QColor kCtcssIndexColour(249, 141, 227);
const QColor kCtcssCodeColour(225, 249, 112);
const QColor kDcsNumberColour(47, 231, 220);

// The hidden header of a column says whether a double click there picks the cell.
const QString kPickable = QStringLiteral("1");

// The designed widths hold the texts at the usual screen font; a larger font widens a column
// until its widest text fits.
void SetColumn(QTableWidget* table, int column, int width, const QColor& colour, bool pickable,
               const QString& widest) {
    QFont bold = table->font();
    bold.setBold(true);
    const int needed = QFontMetrics(pickable ? bold : table->font()).horizontalAdvance(widest) + 8;
    table->setColumnWidth(column, qMax(width, needed));
    table->setHorizontalHeaderItem(column, new QTableWidgetItem(pickable ? kPickable : QStringLiteral("0")));
    for (int row = 0; row < table->rowCount(); ++row) {
        auto* item = new QTableWidgetItem;
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        item->setBackground(colour);
        item->setForeground(Qt::black);
        item->setTextAlignment(Qt::AlignCenter);
        if (pickable)
            item->setFont(bold);
        table->setItem(row, column, item);
    }
}

QString Part(const QStringList& parts, int i) {
    return i < parts.size() ? parts.at(i) : QString();
}

} // namespace

TfToneOption::TfToneOption(TfMaindb& db, QWidget* parent) : QDialog(parent), Db(db) {
    setObjectName(QStringLiteral("fToneOption"));
    setWindowTitle(QStringLiteral("信道码"));

    gbSel = new QGroupBox(QStringLiteral("信道音选择"), this);
    gbSel->setObjectName(QStringLiteral("gbSel"));
    rCTCSS = new QRadioButton(QStringLiteral("CTCSS"), gbSel);
    rCTCSS->setObjectName(QStringLiteral("rCTCSS"));
    rDCSN = new QRadioButton(QStringLiteral("DCS-N"), gbSel);
    rDCSN->setObjectName(QStringLiteral("rDCSN"));
    rDCSI = new QRadioButton(QStringLiteral("DCS-I"), gbSel);
    rDCSI->setObjectName(QStringLiteral("rDCSI"));
    SetTag(rCTCSS, 0);
    SetTag(rDCSN, 1);
    SetTag(rDCSI, 2);
    rCTCSS->setChecked(true);

    gbList = new QGroupBox(this);
    gbList->setObjectName(QStringLiteral("gbList"));
    gbList->setTitle(QStringLiteral("CTCSS频率表"));
    gvCtcss = NewTable(QStringLiteral("gvCtcss"), 3 * kCtcssGroups, kCtcssRows);
    gvDcsN = NewTable(QStringLiteral("gvDcsN"), 2 * kDcsGroups, kDcsRows);
    gvDcsI = NewTable(QStringLiteral("gvDcsI"), 2 * kDcsGroups, kDcsRows);

    lbSel = new QListWidget(this);
    lbSel->setObjectName(QStringLiteral("lbSel"));
    lbSel->addItems(
        {QStringLiteral("CTCSS频率表"), QStringLiteral("DCS-N代码表"), QStringLiteral("DCS-I代码表")});
    lbSel->setVisible(false);
    lbValue = new QListWidget(this);
    lbValue->setObjectName(QStringLiteral("lbValue"));
    lbValue->addItems(PickerTable());
    SetTag(lbValue, -2);
    lbValue->setVisible(false);

    auto* radios = new QHBoxLayout(gbSel);
    radios->addWidget(rCTCSS);
    radios->addSpacing(24);
    radios->addWidget(rDCSN);
    radios->addSpacing(24);
    radios->addWidget(rDCSI);
    radios->addStretch();
    auto* tables = new QVBoxLayout(gbList);
    tables->addWidget(gvCtcss, 0, Qt::AlignLeft | Qt::AlignTop);
    tables->addWidget(gvDcsN, 0, Qt::AlignLeft | Qt::AlignTop);
    tables->addWidget(gvDcsI, 0, Qt::AlignLeft | Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gbSel);
    layout->addWidget(gbList);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    for (QRadioButton* r : {rCTCSS, rDCSN, rDCSI})
        connect(r, &QRadioButton::clicked, this, [this, r] { rCTCSSClick(TagOf(r)); });
    for (QTableWidget* t : {gvCtcss, gvDcsN, gvDcsI}) {
        connect(t, &QTableWidget::cellDoubleClicked, this,
                [this, t](int row, int column) { TablePick(t, row, column); });
        t->installEventFilter(this);
    }
}

QTableWidget* TfToneOption::NewTable(const QString& name, int columns, int rows) {
    auto* table = new QTableWidget(rows, columns, gbList);
    table->setObjectName(name);
    // Data, not titles: the form translator leaves the cells alone.
    SetTag(table, -2);
    table->horizontalHeader()->setVisible(false);
    // The number columns are narrower than the style's smallest section.
    table->horizontalHeader()->setMinimumSectionSize(16);
    table->verticalHeader()->setVisible(false);
    table->verticalHeader()->setDefaultSectionSize(kRowHeight);
    table->verticalHeader()->setMinimumSectionSize(kRowHeight);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setTabKeyNavigation(false);
    return table;
}

QString TfToneOption::Pick(TfMaindb& db, UiServices& ui, QWidget* parent) {
    TfToneOption dialog(db, parent);
    ui.ExecDialog(dialog);
    return dialog.PickedTone;
}

void TfToneOption::showEvent(QShowEvent* event) {
    if (!Shown) {
        Shown = true;
        FormShow();
    }
    QDialog::showEvent(event);
}

void TfToneOption::FormShow() {
    FillTables();
    PickedTone.clear();
    const TALL& state = Db.AppState;
    if (state.LanguageIndex > 0)
        TranslateForm(this, state.ProgramDir, state.LanguageName, false);
    rCTCSSClick(0);
}

void TfToneOption::FillTables() {
    QStringList entries;
    for (int i = 0; i < lbValue->count(); ++i)
        entries.append(lbValue->item(i)->text());
    auto entry = [&entries](int i) { return i < entries.size() ? entries.at(i) : QString(); };

    for (int g = 0; g < kCtcssGroups; ++g) {
        const int index = 3 * g, frequency = 3 * g + 1, code = 3 * g + 2;
        SetColumn(gvCtcss, index, 32, kCtcssIndexColour, false, QStringLiteral("2A"));
        SetColumn(gvCtcss, frequency, 43, Qt::white, true, QStringLiteral("254.1"));
        SetColumn(gvCtcss, code, 32, kCtcssCodeColour, false, QStringLiteral("WZ"));
        for (int r = 0; r < kCtcssRows; ++r) {
            const QStringList parts = entry(kCtcssRows * g + r).split(QLatin1Char('-'));
            gvCtcss->item(r, index)->setText(Part(parts, 0));
            gvCtcss->item(r, frequency)->setText(Part(parts, 1));
            gvCtcss->item(r, code)->setText(Part(parts, 2));
        }
    }
    for (QTableWidget* table : {gvDcsN, gvDcsI}) {
        const QString suffix = table == gvDcsN ? QStringLiteral("N") : QStringLiteral("I");
        for (int g = 0; g < kDcsGroups; ++g) {
            const int number = 2 * g, code = 2 * g + 1;
            SetColumn(table, number, 25, kDcsNumberColour, false, QStringLiteral("85"));
            SetColumn(table, code, 43, Qt::white, true, QStringLiteral("D754N"));
            for (int r = 0; r < kDcsRows; ++r) {
                const QStringList parts = entry(kDcsFirstEntry + kDcsRows * g + r).split(QLatin1Char('-'));
                const QString codeText = Part(parts, 1);
                table->item(r, number)->setText(Part(parts, 0));
                table->item(r, code)->setText(codeText.isEmpty() ? QString() : codeText + suffix);
            }
        }
    }
    for (QTableWidget* table : {gvCtcss, gvDcsN, gvDcsI}) {
        int width = 2 * table->frameWidth();
        for (int c = 0; c < table->columnCount(); ++c)
            width += table->columnWidth(c);
        table->setFixedSize(width, 2 * table->frameWidth() + kRowHeight * table->rowCount());
    }
}

void TfToneOption::rCTCSSClick(int tag) {
    gbList->setEnabled(false);
    gvCtcss->setVisible(rCTCSS->isChecked());
    gvDcsN->setVisible(rDCSN->isChecked());
    gvDcsI->setVisible(rDCSI->isChecked());
    if (tag >= 0 && tag < lbSel->count())
        gbList->setTitle(lbSel->item(tag)->text());
    gbList->setEnabled(true);
}

QTableWidget* TfToneOption::CurrentTable() const {
    if (rDCSN->isChecked())
        return gvDcsN;
    if (rDCSI->isChecked())
        return gvDcsI;
    return gvCtcss;
}

void TfToneOption::TablePick(QTableWidget* table, int row, int column) {
    const QTableWidgetItem* marker = table->horizontalHeaderItem(column);
    if (!marker || marker->text() != kPickable)
        return;
    const QTableWidgetItem* cell = table->item(row, column);
    PickedTone = cell ? cell->text() : QString();
    accept();
}

bool TfToneOption::eventFilter(QObject* watched, QEvent* event) {
    // Enter picks the selected cell, so that a tone can be chosen without the mouse.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        auto* table = qobject_cast<QTableWidget*>(watched);
        if (table && (key == Qt::Key_Return || key == Qt::Key_Enter) && table->currentItem()) {
            TablePick(table, table->currentRow(), table->currentColumn());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
