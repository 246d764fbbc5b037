#include "commands.h"

#include "core/catalogue/catalogue.h"

#include "net/data_server.h"
#include "net/data_update.h"

#include <QCoreApplication>

#include <memory>
#include <optional>
#include <string_view>

namespace corvane::cli {

namespace {

// The catalogue's own spelling of a data-file name, found ignoring case. Only these names are
// fetched, so no argument can reach a file outside the executable's directory.
std::optional<std::string_view> catalogueFile(std::string_view name)
{
    for (const core::CatalogueKind kind :
        {core::CatalogueKind::UnitedStates, core::CatalogueKind::OtherCountries}) {
        for (const core::Region& region : core::catalogue(kind)) {
            for (const core::Lottery& lottery : region.lotteries) {
                if (core::equalsNoCase(lottery.file, name))
                    return lottery.file;
            }
        }
    }
    return std::nullopt;
}

} // namespace

int updateCommand(const Invocation& call)
{
    if (call.args.size() != 1)
        return kUsage;
    const std::optional<std::string_view> file = catalogueFile(call.args[0]);
    if (!file) {
        call.err << call.args[0] << " is not a data file of the catalogue\n";
        return 1;
    }

    // The network code runs in an event loop, which needs an application object.
    std::unique_ptr<QCoreApplication> application;
    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char name[] = "corvane-cli";
        static char* argv[] = {name, nullptr};
        application = std::make_unique<QCoreApplication>(argc, argv);
    }

    net::UpdateRequest request;
    request.baseUrl = net::dataServerUrl();
    request.fileName = QString::fromLatin1(file->data(), static_cast<qsizetype>(file->size()));
    request.localDir = QString::fromStdString(call.environment.executableDir);
    const net::UpdateResult result = net::runUpdate(request);
    if (result.outcome == net::UpdateOutcome::Updated) {
        call.out << result.message.toStdString() << '\n';
        return 0;
    }
    call.err << result.message.toStdString() << '\n';
    return 1;
}

} // namespace corvane::cli
