#include "core/update/update.h"

#include "core/catalogue/catalogue.h"
#include "core/io/files.h"
#include "core/io/linesource.h"
#include "core/predict/history.h"
#include "core/text/numbers.h"

#include <filesystem>
#include <system_error>

namespace corvane::core {

namespace {

// A captive portal or a misdirected server answers with a page; a draw history starts with a
// digit, a comment or a title, and holds none of an HTML document's tags.
bool isWebPage(std::string_view body)
{
    static constexpr std::string_view kPageTags[]
        = {"<!doctype", "<html", "<head", "<body", "<script", "<meta", "<title"};
    body = withoutByteOrderMark(body);
    std::size_t start = 0;
    while (start < body.size()
        && std::string_view(" \t\r\n\f\v").find(body[start]) != std::string_view::npos)
        ++start;
    if (start < body.size() && body[start] == '<')
        return true;
    for (std::size_t open = body.find('<'); open != std::string_view::npos;
         open = body.find('<', open + 1)) {
        for (const std::string_view tag : kPageTags) {
            if (equalsNoCase(body.substr(open, tag.size()), tag))
                return true;
        }
    }
    return false;
}

bool hasDataLine(std::string_view body)
{
    for (const std::string_view line : splitLines(body)) {
        if (isDataLine(line))
            return true;
    }
    return false;
}

} // namespace

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

std::size_t storedSize(std::string_view body)
{
    const std::size_t nul = body.find('\0');
    if (nul != std::string_view::npos)
        body = body.substr(0, nul);
    std::size_t size = body.size();
    for (std::size_t i = 0; i < body.size(); ++i) {
        if (body[i] == '\n' && (i == 0 || body[i - 1] != '\r'))
            ++size;
    }
    return size;
}

std::optional<StoreResult> downloadFault(std::string_view body)
{
    if (body.empty())
        return StoreResult::Empty;
    if (body.find('\0') != std::string_view::npos)
        return StoreResult::Binary;
    if (isWebPage(body))
        return StoreResult::WebPage;
    if (storedSize(body) > kMaxDownloadBytes)
        return StoreResult::TooLarge;
    if (!hasDataLine(body))
        return StoreResult::NoDraws;
    return std::nullopt;
}

StoreResult storeDownload(const std::string& path, std::string_view body)
{
    namespace fs = std::filesystem;
    if (const std::optional<StoreResult> fault = downloadFault(body))
        return *fault;
    const std::string text = storedDataFile(body);
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
