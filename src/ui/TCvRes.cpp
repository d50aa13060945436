#include "TCvRes.h"

#include "platform/abi/StageSingleton.h"

#include "shell/TCvApplication.h"

#include "platform/abi/Boundary.h"
#include "platform/abi/WideString.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

#include <memory>

namespace cv::ui {

using namespace corvelian;

namespace {

StageSingleton<TCvRes> g_instance;

const QString kIconType = QStringLiteral("ICON");
const QString kBitmapType = QStringLiteral("BITMAP");

// The image of an icon file closest to size: an image of exactly that size,
// else the largest, scaled.
QImage pickIconImage(const QByteArray& bytes, int size)
{
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer);
    QImage best;
    const int count = std::max(1, reader.imageCount());
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !reader.jumpToImage(i))
            break;
        const QImage image = reader.read();
        if (image.isNull())
            continue;
        if (image.width() == size && image.height() == size)
            return image;
        if (best.isNull() || image.width() > best.width())
            best = image;
    }
    if (best.isNull())
        return best;
    return best.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// Deletes the file when the scope ends, whatever happened in between.
struct FileRemover {
    QString path;
    ~FileRemover() { QFile::remove(path); }
};

} // namespace

TCvRes::TCvRes()
{
    shell::TCvApplication* app = shell::TCvApplication::instance();
    if (!app || !app->LibraryBound())
        return;
    ComPtr<ICVUnknown> module;
    ICVLibrary2* library = app->SystemLibrary();
    checkHost(library->GetResourceModule(module.put()), library);
    m_module = module.as<ICVResourceModule>();
    m_busyCursor = loadBusyCursor();
}

TCvRes* TCvRes::instance()
{
    return g_instance.get();
}

std::optional<QByteArray> TCvRes::readResource(const QString& name, const QString& type) const
{
    if (!m_module)
        return std::nullopt;
    std::uint32_t size = 0;
    const CvStatus found = m_module->FindResource(wideArg(name), wideArg(type), nullptr, 0, &size);
    checkHost(found, m_module.get());
    if (found != CV_OK)
        return std::nullopt;
    QByteArray bytes(qsizetype(size), Qt::Uninitialized);
    checkHost(m_module->FindResource(wideArg(name), wideArg(type),
                                     reinterpret_cast<std::uint8_t*>(bytes.data()), size, &size),
              m_module.get());
    bytes.truncate(qsizetype(size));
    return bytes;
}

bool TCvRes::LoadGraphic(QIcon& icon, const QString& name, int size) const
{
    if (!m_module)
        return false;
    try {
        icon = QIcon();
        const std::optional<QByteArray> bytes = readResource(name, kIconType);
        if (!bytes)
            return false;
        const QImage image = pickIconImage(*bytes, size);
        if (!image.isNull())
            icon = QIcon(QPixmap::fromImage(image));
        return !icon.isNull();
    } catch (...) {
        return false;
    }
}

bool TCvRes::LoadGraphic(QPixmap& bitmap, const QString& name) const
{
    if (!m_module)
        return false;
    try {
        const std::optional<QByteArray> bytes = readResource(name, kBitmapType);
        return bytes && bitmap.loadFromData(*bytes);
    } catch (...) {
        return false;
    }
}

bool TCvRes::LoadIcon(QIcon& icon, int number, int size) const
{
    return LoadGraphic(icon, QStringLiteral("I%1").arg(number), size);
}

void TCvRes::LoadIcons(ImageList& list, const QList<int>& numbers, int fallback) const
{
    for (int number : numbers) {
        QIcon icon;
        if (LoadIcon(icon, number, list.width()) ||
            (fallback > 0 && LoadIcon(icon, fallback, list.width())))
            list.add(icon);
        else
            list.addEmpty();
    }
}

// The "ANI" resource is a PNG strip of square frames; the first frame is the
// cursor, its centre the hot spot. The file is created exclusively so that a
// planted file or link in a shared temporary directory is never written
// through; a stale file of our own is removed first.
std::optional<QCursor> TCvRes::loadBusyCursor() const
{
    try {
        const std::optional<QByteArray> bytes =
            readResource(QStringLiteral("busy"), QStringLiteral("ANI"));
        if (!bytes)
            return std::nullopt;
        const QString path = shell::CvApp().GetPathInfo().tempPath + QStringLiteral("Busy.ani");
        QFile::remove(path);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return std::nullopt;
        FileRemover remover{path};
        const bool written = file.write(*bytes) == bytes->size();
        file.close();
        const QImage strip = written ? QImage(path, "PNG") : QImage();
        if (strip.isNull() || strip.height() == 0)
            return std::nullopt;
        const int frame = strip.height();
        return QCursor(QPixmap::fromImage(strip.copy(0, 0, frame, frame)), frame / 2, frame / 2);
    } catch (...) {
        return std::nullopt;
    }
}

void CvResStage(std::uint8_t stage)
{
    if (stage == shell::StageStart && !g_instance)
        g_instance = std::make_unique<TCvRes>();
    else if (stage == shell::StageStop)
        g_instance.reset();
}

QCursor busyCursor()
{
    if (g_instance && g_instance->BusyCursor())
        return *g_instance->BusyCursor();
    return QCursor(Qt::WaitCursor);
}

} // namespace cv::ui
