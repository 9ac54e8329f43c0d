#include "helpengine.h"

#include "chmfile.h"
#include "chminfo.h"
#include "contents.h"
#include "helpwindow.h"
#include "textdecoding.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>

#include <filesystem>

namespace {

// The file's path made absolute and clean, in the system's own bytes.
QByteArray absolutePath(const QByteArray &file)
{
    std::filesystem::path path(file.toStdString());
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    const std::string clean = (error ? path : absolute).lexically_normal().string();
    return QByteArray(clean.data(), qsizetype(clean.size()));
}

} // namespace

HelpEngine::HelpEngine() = default;

HelpEngine::~HelpEngine() = default;

HelpWindow *HelpEngine::displayTopic(const QByteArray &file)
{
    // One window per file, whatever the bytes of its name; the text is for the user's eyes.
    const QByteArray key = absolutePath(file);
    const QString path = QFile::decodeName(key);
    auto found = m_windows.find(key);
    if (found == m_windows.end()) {
        std::unique_ptr<HelpWindow> window = openWindow(file);
        if (window == nullptr) {
            reportFailure(path);
            return nullptr;
        }
        found = m_windows.emplace(key, std::move(window)).first;
    }
    if (m_failure != nullptr) {
        m_failure->hide();
    }
    HelpWindow *window = found->second.get();
    window->showNormal();
    // Only now is the page's width known: the page is laid out once, at that width.
    window->showStartPage();
    window->raise();
    window->activateWindow();
    return window;
}

std::unique_ptr<HelpWindow> HelpEngine::openWindow(const QByteArray &file) const
{
    auto chm = std::make_shared<const ChmFile>(file);
    if (!chm->isOpen()) {
        return nullptr;
    }
    const ChmInfo info = ChmInfo::read(*chm);
    std::vector<ContentsItem> contents;
    if (!info.contentsFile.isEmpty()) {
        if (const std::optional<QByteArray> bytes = chm->read(info.contentsFile)) {
            contents = ContentsItem::parse(textdecoding::decodePage(*bytes, info.languageId));
        }
    }
    const QString start = info.startPage(*chm, ContentsItem::firstPage(contents));
    if (start.isEmpty()) {
        return nullptr;
    }
    return std::make_unique<HelpWindow>(chm, QFile::decodeName(file), info.title, info.languageId,
                                        contents, start);
}

void HelpEngine::reportFailure(const QString &path)
{
    if (m_failure == nullptr) {
        m_failure = std::make_unique<QMessageBox>();
        m_failure->setObjectName(QStringLiteral("helpFailure"));
        m_failure->setAttribute(Qt::WA_QuitOnClose, false);
        m_failure->setIcon(QMessageBox::Warning);
        m_failure->setWindowTitle(QObject::tr("Aide"));
        m_failure->setStandardButtons(QMessageBox::Ok);
        m_failure->setWindowModality(Qt::NonModal);
    }
    m_failure->setText(QObject::tr("Impossible d'ouvrir le fichier d'aide « %1 ».")
                           .arg(QFileInfo(path).fileName()));
    m_failure->setInformativeText(QObject::tr("Le fichier est absent, illisible ou endommagé :\n%1")
                                      .arg(QDir::toNativeSeparators(path)));
    m_failure->show();
    m_failure->raise();
    m_failure->activateWindow();
}

void HelpEngine::closeAll()
{
    m_windows.clear();
    m_failure.reset();
}

QList<QWidget *> HelpEngine::windows() const
{
    QList<QWidget *> result;
    for (const auto &[path, window] : m_windows) {
        result.append(window.get());
    }
    if (m_failure != nullptr) {
        result.append(m_failure.get());
    }
    return result;
}
