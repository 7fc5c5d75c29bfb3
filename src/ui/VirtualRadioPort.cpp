#include "VirtualRadioPort.h"

#include "UiServices.h"
#include "core/MacType.h"
#include "link/LinkOperation.h"
#include "radiodata/MemoryImage.h"
#include "sim/VirtualRadio.h"

QString VirtualRadioPortName() {
    return QStringLiteral("VIRTUAL RADIO");
}

void OfferVirtualRadio(UiServices& ui, VirtualRadio& radio) {
    const auto listPorts = ui.ListPorts;
    ui.ListPorts = [listPorts](QStringList* list) {
        if (!list)
            return;
        list->append(VirtualRadioPortName());
        if (listPorts)
            listPorts(list);
    };
    const auto connectLink = ui.ConnectLink;
    ui.ConnectLink = [connectLink, &radio](LinkOperation& link, const QString& portName) {
        if (portName == VirtualRadioPortName())
            link.SetDevice(radio.Port(), portName);
        else if (connectLink)
            connectLink(link, portName);
    };
}

QByteArray DemoRadioImage(const TMacList& catalogue) {
    const TMacType* model = catalogue.GetModel(0);
    if (!model)
        return QByteArray();
    TFrqList bands;
    RegisterBands(bands);

    Codeplug plug;
    plug.Identity = model->Identity;
    plug.BandId = bands.BandIdOf(model->DefaultBand);
    const auto channel = [&plug](int k, double rx, double tx, const char* rxTone, const char* txTone,
                                 int power, int bandwidth, int scan, int busyLock) {
        ChannelValues c;
        c.RxFrequency = rx;
        c.TxFrequency = tx;
        c.RxTone = QLatin1String(rxTone);
        c.TxTone = QLatin1String(txTone);
        c.Power = power;
        c.Bandwidth = bandwidth;
        c.ScanAdd = scan;
        c.BusyLock = busyLock;
        plug.Channels[k] = c;
    };
    channel(1, 438.5, 438.5, "", "", 1, 1, 1, 0);
    channel(2, 439.2125, 431.6125, "88.5", "88.5", 1, 1, 1, 0);
    channel(3, 446.00625, 446.00625, "D023N", "D023N", 0, 0, 1, 0);
    channel(4, 446.01875, 446.01875, "", "103.5", 0, 0, 0, 0);
    channel(5, 462.5625, 467.5625, "67.0", "67.0", 1, 1, 1, 1);
    channel(6, 409.75, 409.75, "D754I", "D754I", 1, 1, 0, 2);
    channel(8, 433.5, -1.0, "", "", 0, 1, 1, 0);
    plug.Functions.CurrentChannel = 1;
    plug.Functions.RadioName = QStringLiteral("DEMO");
    plug.Message.LineA = QStringLiteral("V35 DEMO");
    plug.Message.LineB = QStringLiteral("VIRTUAL RADIO");
    return ImageFromCodeplug(plug, *model);
}
