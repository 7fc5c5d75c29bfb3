#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// One radio model: what it reports as identity, its limits and the bands offered for it.
class TMacType {
public:
    TMacType(const QString& identity, const QString& name, int channelCount);

    void SetFrequencyRange(double min, double max);
    void SetSpareBlocks(int n);
    void AddBand(const QString& text);
    void SetDefaultBand(const QString& text);

    QString Identity;
    QString Name;
    int ChannelCount = 0;
    double MaxFrequency = 0.0;
    double MinFrequency = 0.0;
    QStringList Bands;
    int SpareBlocks = 0;
    QString DefaultBand;
};

// The model catalogue: insertion order, first match wins.
class TMacList {
public:
    void Add(std::unique_ptr<TMacType> model);
    int Count() const;
    TMacType* GetModel(int index) const;
    TMacType* FindByName(const QString& name) const;
    TMacType* FindByIdentity(const QString& identity) const;
    void FillNames(QStringList& list) const;

private:
    std::vector<std::unique_ptr<TMacType>> Entries;
};

// Band texts and the one-byte ids the radio and the files carry for them.
class TFrqList {
public:
    struct Entry {
        QString Text;
        int Id = 0;
    };

    void AddBand(const QString& text, int id);
    int BandIdOf(const QString& text) const;
    QString BandTextOf(int id) const;
    const std::vector<Entry>& Entries() const { return Bands; }

private:
    std::vector<Entry> Bands;
};

void RegisterBands(TFrqList& bands);
void RegisterModels(TMacList& catalogue);
