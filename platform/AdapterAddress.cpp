#include "platform/AdapterAddress.h"

#include <QNetworkInterface>

std::string FirstAdapterAddress()
{
    for (const QNetworkInterface &adapter : QNetworkInterface::allInterfaces()) {
        if (adapter.flags().testFlag(QNetworkInterface::IsLoopBack))
            continue;
        QString digits = adapter.hardwareAddress().remove(':').toUpper();
        if (digits.size() == 12)
            return digits.toStdString();
    }
    return {};
}
