#include "app/shell/doc_manager.h"

#include "app/shell/doc_template.h"
#include "app/shell/message_box.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include <climits>

namespace corvane::app {

namespace {

#ifdef Q_OS_WIN
// The longest path of the platform (MAX_PATH less the terminating null): a longer name is cut.
constexpr qsizetype kMaxName = 259;
#else
// The system's limit, PATH_MAX less the terminating null; nothing longer can be opened anyway.
constexpr qsizetype kMaxName = PATH_MAX - 1;
#endif

} // namespace

CMyDocManager::CMyDocManager() = default;

CMyDocManager::~CMyDocManager() = default;

void CMyDocManager::AddDocTemplate(std::unique_ptr<CDocTemplate> docTemplate)
{
    m_templates.push_back(std::move(docTemplate));
}

CDocTemplate* CMyDocManager::templateAt(int i) const
{
    return i >= 0 && static_cast<std::size_t>(i) < m_templates.size()
        ? m_templates[static_cast<std::size_t>(i)].get()
        : nullptr;
}

QString CMyDocManager::documentPath(const QString& name)
{
    QString copy = name.startsWith(QLatin1Char('"')) ? name.mid(1) : name;
    copy.truncate(kMaxName);
    const qsizetype quote = copy.lastIndexOf(QLatin1Char('"'));
    if (quote >= 0)
        copy.truncate(quote);
    if (copy.isEmpty())
        return copy;
    QString path = QDir::cleanPath(QFileInfo(copy).absoluteFilePath());
    const QFileInfo info(path);
    if (info.isSymLink()) {
        const QString target = info.symLinkTarget();
        if (!target.isEmpty())
            path = QDir::cleanPath(target);
    }
    return path;
}

COmbrixDoc* CMyDocManager::OpenDocumentFile(const QString& name)
{
    const QString path = documentPath(name);
    CDocTemplate* best = nullptr;
    CDocTemplate::Confidence bestMatch = CDocTemplate::noAttempt;
    for (const auto& docTemplate : m_templates) {
        const CDocTemplate::Confidence match = docTemplate->MatchDocType(path);
        if (match > bestMatch) {
            bestMatch = match;
            best = docTemplate.get();
        }
        if (match == CDocTemplate::yesAlreadyOpen)
            break;
    }
    if (!best) {
        MessageBox::warning(
            QApplication::activeWindow(), QStringLiteral("Failed to open document."));
        return nullptr;
    }
    return best->OpenDocumentFile(path, true);
}

COmbrixDoc* CMyDocManager::OnFileNew()
{
    CDocTemplate* first = templateAt(0);
    return first ? first->OpenNewDocument(true) : nullptr;
}

} // namespace corvane::app
