#include "core/update/update.h"

#include "core/io/files.h"
#include "core/text/numbers.h"

#include <filesystem>
#include <system_error>

namespace corvane::core {

const char* const kConnectionFailedMessage = "Connection failed";
const char* const kUpdateFinishedMessage = "Data Updated Finished Successfully";

std::string couldNotBeCreatedMessage(const std::string& fileName)
{
    return "The File " + fileName + " could not be created";
}

std::optional<std::uint64_t> parseContentLength(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    if (i == text.size() || !isDigit(text[i]))
        return std::nullopt;
    std::uint64_t value = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        const auto digit = static_cast<std::uint64_t>(text[i] - '0');
        if (value > (UINT64_MAX - digit) / 10)
            return std::nullopt;
        value = value * 10 + digit;
    }
    return value;
}

std::string storedDataFile(std::string_view body)
{
    const std::size_t nul = body.find('\0');
    if (nul != std::string_view::npos)
        body = body.substr(0, nul);
    std::string out;
    out.reserve(body.size() + body.size() / 16);
    for (std::size_t i = 0; i < body.size(); ++i) {
        if (body[i] == '\n' && (i == 0 || body[i - 1] != '\r'))
            out += '\r';
        out += body[i];
    }
    return out;
}

StoreResult storeDownload(const std::string& path, std::string_view body)
{
    namespace fs = std::filesystem;
    const std::string text = storedDataFile(body);
    if (text.empty())
        return StoreResult::Empty;
    std::error_code error;
    const fs::file_status status = fs::status(fs::u8path(path), error);
    if (fs::exists(status)) {
        const bool writable = (status.permissions() & fs::perms::owner_write) != fs::perms::none;
        if (!fs::is_regular_file(status) || !writable)
            return StoreResult::CouldNotBeCreated;
    }
    return writeFileAtomically(path, text) ? StoreResult::Stored : StoreResult::CouldNotBeCreated;
}

} // namespace corvane::core
