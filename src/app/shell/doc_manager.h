#pragma once

#include <QList>
#include <QString>

#include <memory>
#include <vector>

namespace corvane::app {

class CDocTemplate;
class COmbrixDoc;

/// Holds the document templates and opens documents by path. Opening the path of the open
/// document opens the file again, so a change on disk shows.
class CMyDocManager
{
public:
    CMyDocManager();
    ~CMyDocManager();
    CMyDocManager(const CMyDocManager&) = delete;
    CMyDocManager& operator=(const CMyDocManager&) = delete;

    /// Takes over the template.
    void AddDocTemplate(std::unique_ptr<CDocTemplate> docTemplate);
    CDocTemplate* templateAt(int i) const;

    /// Opens name (relative to the current directory, maybe in double quotes, maybe a link);
    /// null after a message, or when the user cancelled.
    COmbrixDoc* OpenDocumentFile(const QString& name);
    /// New: the first template makes a new document.
    COmbrixDoc* OnFileNew();

    /// name as the open works on it: without a leading double quote, at most as many
    /// characters as a path may have (259 on Windows), cut at the last double quote left, made a
    /// full path from the current directory, and a link replaced by its target.
    static QString documentPath(const QString& name);

private:
    std::vector<std::unique_ptr<CDocTemplate>> m_templates;
};

} // namespace corvane::app
