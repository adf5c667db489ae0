#include "platform/AdapterAddress.h"

#include <QNetworkInterface>

namespace {

std::string Find()
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

} // namespace

std::string FirstAdapterAddress()
{
    // Asked at every login; the machine's adapters are listed once.
    static const std::string address = Find();
    return address;
}
