#include "Controls.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVariant>

int TagOf(const QObject* object) {
    return object ? object->property("tag").toInt() : 0;
}

void SetTag(QObject* object, int tag) {
    object->setProperty("tag", tag);
}

QLabel* NewNamedLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

QComboBox* NewNamedList(QWidget* parent, const char* name, const QStringList& items, int tag) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QLatin1String(name));
    combo->addItems(items);
    if (tag)
        SetTag(combo, tag);
    return combo;
}

QLabel* NewBuddyLabel(QWidget* owner, const QString& name, const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text, owner);
    label->setObjectName(name);
    label->setBuddy(buddy);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QHBoxLayout* NewOkCancelRow(QWidget* owner, QPushButton*& ok, QPushButton*& cancel, bool okIsDefault) {
    ok = new QPushButton(QStringLiteral("确定(&O)"), owner);
    ok->setObjectName(QStringLiteral("btnOk"));
    ok->setDefault(okIsDefault);
    ok->setAutoDefault(okIsDefault);
    cancel = new QPushButton(QStringLiteral("取消(&C)"), owner);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}
