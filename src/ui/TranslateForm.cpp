#include "TranslateForm.h"

#include "Controls.h"
#include "core/IniFile.h"
#include "lang/Language.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>

namespace {

QString Key(const QObject* o, const char* suffix) {
    return o->objectName() + QLatin1String(suffix);
}

QString Key(const QObject* o, int index) {
    return o->objectName() + QLatin1Char('.') + QString::number(index);
}

void ApplyComboTexts(QComboBox* combo, const FormTextLookup& lookup) {
    const int tag = TagOf(combo);
    if (tag == -2)
        return;
    // Replacing the entries must leave the selection where it was.
    const int selected = combo->currentIndex();
    const int count = tag == -3 ? qMin(1, combo->count()) : combo->count();
    for (int i = 0; i < count; ++i)
        combo->setItemText(i, lookup(Key(combo, i), combo->itemText(i)));
    if (combo->currentIndex() != selected)
        combo->setCurrentIndex(selected);
}

void ApplyGridTitles(QTableView* grid, const FormTextLookup& lookup) {
    QAbstractItemModel* model = grid->model();
    if (!model || TagOf(grid) == -2)
        return;
    // Column c of the key is the grid's c-th column, counted from 1.
    for (int c = 0; c < model->columnCount(); ++c) {
        const QString current = model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        model->setHeaderData(c, Qt::Horizontal, lookup(Key(grid, c + 1), current), Qt::DisplayRole);
    }
}

void ApplyObjectTexts(QObject* o, bool translateLists, const FormTextLookup& lookup) {
    if (auto* label = qobject_cast<QLabel*>(o)) {
        if (!qobject_cast<TStaticText*>(o))
            label->setText(lookup(Key(o, ".Caption"), label->text()));
    } else if (auto* action = qobject_cast<QAction*>(o)) {
        if (!action->isSeparator())
            action->setText(lookup(Key(o, ".Caption"), action->text()));
    } else if (auto* menu = qobject_cast<QMenu*>(o)) {
        menu->setTitle(lookup(Key(o, ".Caption"), menu->title()));
    } else if (auto* push = qobject_cast<QPushButton*>(o)) {
        push->setText(lookup(Key(o, ".Caption"), push->text()));
    } else if (auto* tool = qobject_cast<QToolButton*>(o)) {
        tool->setText(lookup(Key(o, ".Caption"), tool->text()));
        tool->setToolTip(lookup(Key(o, ".Hint"), tool->toolTip()));
    } else if (auto* grid = qobject_cast<QTableView*>(o)) {
        ApplyGridTitles(grid, lookup);
    } else if (auto* combo = qobject_cast<QComboBox*>(o)) {
        if (translateLists)
            ApplyComboTexts(combo, lookup);
    } else if (auto* check = qobject_cast<QCheckBox*>(o)) {
        check->setText(lookup(Key(o, ".Caption"), check->text()));
    } else if (auto* radio = qobject_cast<QRadioButton*>(o)) {
        radio->setText(lookup(Key(o, ".Caption"), radio->text()));
    } else if (auto* group = qobject_cast<QGroupBox*>(o)) {
        group->setTitle(lookup(Key(o, ".Caption"), group->title()));
    } else if (auto* tabs = qobject_cast<QTabWidget*>(o)) {
        for (int i = 0; i < tabs->count(); ++i) {
            const QWidget* page = tabs->widget(i);
            if (!page->objectName().isEmpty())
                tabs->setTabText(i, lookup(Key(page, ".Caption"), tabs->tabText(i)));
        }
    } else if (auto* list = qobject_cast<QListWidget*>(o)) {
        if (TagOf(list) != -2)
            for (int i = 0; i < list->count(); ++i)
                list->item(i)->setText(lookup(Key(list, i), list->item(i)->text()));
    }
}

} // namespace

void ApplyFormTexts(QWidget* form, bool translateLists, const FormTextLookup& lookup) {
    form->setWindowTitle(lookup(Key(form, ".Caption"), form->windowTitle()));
    // findChildren walks depth first, each parent's children in creation order.
    for (QObject* o : form->findChildren<QObject*>()) {
        const QString name = o->objectName();
        // Unnamed controls have no key; Qt's own helpers are named "qt_...".
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")))
            continue;
        ApplyObjectTexts(o, translateLists, lookup);
    }
}

void TranslateForm(QWidget* form, const QString& programDir, const QString& languageName,
                   bool translateLists) {
    IniFile ini;
    ini.Load(LanguageFilePath(programDir, languageName));
    const QString section = form->objectName();
    ApplyFormTexts(form, translateLists, [&](const QString& key, const QString& current) {
        return ini.Value(section, key, current);
    });
}

QStringList FormTextKeys(QWidget* form, bool translateLists) {
    QStringList keys;
    ApplyFormTexts(form, translateLists, [&](const QString& key, const QString& current) {
        keys.append(key);
        return current;
    });
    return keys;
}
