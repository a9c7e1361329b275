#include "PlatformTransferSink.h"

#include "X11Connection.h"
#include "X11TransferSink.h"
#include "link/NoSpreadsheet.h"

std::unique_ptr<TransferSink> createPlatformTransferSink() {
    if (X11Connection* connection = X11Connection::application())
        return std::make_unique<X11TransferSink>(*connection);
    return std::make_unique<NoSpreadsheet>();
}
