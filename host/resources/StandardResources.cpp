#include "StandardResources.h"

#include <QBuffer>
#include <QDataStream>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace cv::host {

namespace {

enum class Glyph {
    Document,
    Plus,
    Cross,
    Check,
    Disk,
    Printer,
    Person,
    People,
    Magnifier,
    ArrowUp,
    ArrowDown,
    ArrowRight,
    Refresh,
    Folder,
    Pill,
    Calendar,
    Question,
    Lock,
    Star,
    Clock,
    Gear,
    Eye,
    Funnel,
    Pencil,
    List,
    Chart,
    Mail,
    Copy,
    Power,
    Undo,
    Exit,
    Import
};

struct IconDesign {
    int number;
    Glyph glyph;
    QRgb colour;
};

// Which glyph each number shows is the host's choice; these read as the
// actions the module's toolbars offer.
const IconDesign kIcons[] = {
    {1000, Glyph::Pill, 0x2E8B57},      {1013, Glyph::Funnel, 0x008080},
    {1100, Glyph::Plus, 0x1E90FF},      {1101, Glyph::Pencil, 0xE07B00},
    {1102, Glyph::Cross, 0xD02020},     {1103, Glyph::Disk, 0x1F4E9A},
    {1104, Glyph::Exit, 0x8B0000},      {1105, Glyph::Refresh, 0x228B22},
    {1106, Glyph::Magnifier, 0x4169E1}, {1107, Glyph::Printer, 0x505050},
    {1108, Glyph::Eye, 0x7B3FA0},       {1109, Glyph::Check, 0x1A9A1A},
    {1110, Glyph::Cross, 0x8B4513},     {1112, Glyph::Person, 0x2060C0},
    {1113, Glyph::Document, 0x4682B4},  {1115, Glyph::Folder, 0xDAA520},
    {1116, Glyph::List, 0x000080},      {1117, Glyph::ArrowUp, 0x008B8B},
    {1118, Glyph::ArrowDown, 0x008B8B}, {1119, Glyph::Calendar, 0xC03030},
    {1122, Glyph::Question, 0x1060D0},  {1123, Glyph::Lock, 0xB8860B},
    {1125, Glyph::Star, 0xE0A800},      {1126, Glyph::Clock, 0x8B5A2B},
    {1127, Glyph::Chart, 0x2E8B57},     {1128, Glyph::Mail, 0x3070C0},
    {1129, Glyph::People, 0x7B3FA0},    {1130, Glyph::Gear, 0x606060},
    {1131, Glyph::Undo, 0xE07B00},      {1132, Glyph::Copy, 0x1E90FF},
    {1137, Glyph::Import, 0x228B22},    {1140, Glyph::Power, 0xC02020},
};

QPolygonF poly(std::initializer_list<QPointF> points)
{
    return QPolygonF(QList<QPointF>(points));
}

void drawArrow(QPainter& p, bool up)
{
    p.drawPolygon(up ? poly({{16, 4}, {28, 16}, {21, 16}, {21, 28}, {11, 28}, {11, 16}, {4, 16}})
                     : poly({{16, 28}, {28, 16}, {21, 16}, {21, 4}, {11, 4}, {11, 16}, {4, 16}}));
}

void drawPerson(QPainter& p, qreal dx, qreal scale)
{
    p.drawEllipse(QRectF(dx + 10 * scale, 4, 12 * scale, 12 * scale));
    p.drawChord(QRectF(dx + 4 * scale, 17, 24 * scale, 24), 0, 180 * 16);
}

void drawShapesA(QPainter& p, Glyph glyph)
{
    switch (glyph) {
    case Glyph::Document:
        p.drawPolygon(poly({{7, 3}, {20, 3}, {26, 9}, {26, 29}, {7, 29}}));
        p.drawLine(QLineF(11, 14, 22, 14));
        p.drawLine(QLineF(11, 19, 22, 19));
        p.drawLine(QLineF(11, 24, 22, 24));
        break;
    case Glyph::Plus:
        p.drawPolygon(poly({{12, 4},
                            {20, 4},
                            {20, 12},
                            {28, 12},
                            {28, 20},
                            {20, 20},
                            {20, 28},
                            {12, 28},
                            {12, 20},
                            {4, 20},
                            {4, 12},
                            {12, 12}}));
        break;
    case Glyph::Cross:
        p.drawPolygon(poly({{4, 9},
                            {9, 4},
                            {16, 11},
                            {23, 4},
                            {28, 9},
                            {21, 16},
                            {28, 23},
                            {23, 28},
                            {16, 21},
                            {9, 28},
                            {4, 23},
                            {11, 16}}));
        break;
    case Glyph::Check:
        p.drawPolygon(poly({{3, 17}, {8, 12}, {13, 17}, {25, 5}, {30, 10}, {13, 27}}));
        break;
    case Glyph::Disk:
        p.drawRect(QRectF(4, 4, 24, 24));
        p.fillRect(QRectF(9, 5, 14, 9), Qt::white);
        p.fillRect(QRectF(8, 19, 16, 8), Qt::white);
        break;
    case Glyph::Printer:
        p.drawRect(QRectF(3, 12, 26, 12));
        p.fillRect(QRectF(9, 4, 14, 8), Qt::white);
        p.fillRect(QRectF(9, 20, 14, 9), Qt::white);
        break;
    case Glyph::Person:
        drawPerson(p, 0, 1.0);
        break;
    case Glyph::People:
        drawPerson(p, -5, 0.8);
        drawPerson(p, 10, 0.8);
        break;
    case Glyph::Magnifier:
        p.drawEllipse(QRectF(4, 4, 16, 16));
        p.drawLine(QLineF(18, 18, 28, 28));
        break;
    case Glyph::ArrowUp:
    case Glyph::ArrowDown:
        drawArrow(p, glyph == Glyph::ArrowUp);
        break;
    default:
        break;
    }
}

void drawShapesB(QPainter& p, Glyph glyph)
{
    switch (glyph) {
    case Glyph::ArrowRight:
        p.drawPolygon(poly({{28, 16}, {16, 4}, {16, 11}, {4, 11}, {4, 21}, {16, 21}, {16, 28}}));
        break;
    case Glyph::Refresh:
        p.drawArc(QRectF(5, 5, 22, 22), 30 * 16, 300 * 16);
        p.drawPolygon(poly({{22, 2}, {29, 10}, {20, 12}}));
        break;
    case Glyph::Folder:
        p.drawPolygon(poly({{3, 8}, {12, 8}, {15, 11}, {29, 11}, {29, 27}, {3, 27}}));
        break;
    case Glyph::Pill:
        p.drawRoundedRect(QRectF(3, 11, 26, 10), 5, 5);
        p.drawLine(QLineF(16, 11, 16, 21));
        break;
    case Glyph::Calendar:
        p.drawRect(QRectF(4, 6, 24, 22));
        p.fillRect(QRectF(6, 13, 20, 13), Qt::white);
        p.drawText(QRectF(6, 13, 20, 13), Qt::AlignCenter, QStringLiteral("31"));
        break;
    case Glyph::Question:
        p.drawEllipse(QRectF(3, 3, 26, 26));
        p.setPen(QPen(Qt::white, 3));
        p.drawText(QRectF(3, 3, 26, 26), Qt::AlignCenter, QStringLiteral("?"));
        break;
    case Glyph::Lock:
        p.drawRect(QRectF(6, 14, 20, 15));
        p.drawArc(QRectF(9, 4, 14, 18), 0, 180 * 16);
        break;
    case Glyph::Star: {
        QPolygonF star;
        for (int i = 0; i < 10; ++i) {
            const double r = i % 2 ? 6 : 14, a = M_PI / 5 * i - M_PI / 2;
            star << QPointF(16 + r * std::cos(a), 17 + r * std::sin(a));
        }
        p.drawPolygon(star);
        break;
    }
    case Glyph::Clock:
        p.drawEllipse(QRectF(3, 3, 26, 26));
        p.setPen(QPen(Qt::white, 3));
        p.drawLine(QLineF(16, 16, 16, 7));
        p.drawLine(QLineF(16, 16, 23, 16));
        break;
    default:
        break;
    }
}

void drawShapesC(QPainter& p, Glyph glyph)
{
    switch (glyph) {
    case Glyph::Gear:
        for (int i = 0; i < 4; ++i) {
            p.save();
            p.translate(16, 16);
            p.rotate(45.0 * i);
            p.drawRect(QRectF(-3, -14, 6, 28));
            p.restore();
        }
        p.drawEllipse(QRectF(7, 7, 18, 18));
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(12, 12, 8, 8));
        break;
    case Glyph::Eye:
        p.drawEllipse(QRectF(2, 8, 28, 16));
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(11, 11, 10, 10));
        break;
    case Glyph::Funnel:
        p.drawPolygon(poly({{3, 5}, {29, 5}, {19, 17}, {19, 28}, {13, 24}, {13, 17}}));
        break;
    case Glyph::Pencil:
        p.drawPolygon(poly({{4, 28}, {6, 20}, {22, 4}, {28, 10}, {12, 26}}));
        break;
    case Glyph::List:
        for (int y : {6, 14, 22}) {
            p.drawRect(QRectF(3, y, 5, 5));
            p.drawRect(QRectF(11, y + 1, 18, 3));
        }
        break;
    case Glyph::Chart:
        p.drawRect(QRectF(4, 18, 6, 10));
        p.drawRect(QRectF(13, 10, 6, 18));
        p.drawRect(QRectF(22, 4, 6, 24));
        break;
    case Glyph::Mail:
        p.drawRect(QRectF(3, 7, 26, 18));
        p.setPen(QPen(Qt::white, 2));
        p.drawPolyline(poly({{4, 8}, {16, 18}, {28, 8}}));
        break;
    case Glyph::Copy:
        p.drawRect(QRectF(4, 4, 16, 19));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(12, 10, 16, 19));
        break;
    default:
        break;
    }
}

void drawShapesD(QPainter& p, Glyph glyph)
{
    switch (glyph) {
    case Glyph::Power:
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(p.pen().color(), 4, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(5, 6, 22, 22), 120 * 16, 300 * 16);
        p.drawLine(QLineF(16, 3, 16, 15));
        break;
    case Glyph::Undo:
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(p.pen().color(), 4));
        p.drawArc(QRectF(8, 8, 20, 18), -90 * 16, 180 * 16);
        p.setBrush(p.pen().color());
        p.setPen(Qt::NoPen);
        p.drawPolygon(poly({{2, 12}, {12, 3}, {12, 21}}));
        break;
    case Glyph::Exit:
        p.drawRect(QRectF(4, 3, 14, 26));
        p.drawPolygon(poly({{30, 16}, {22, 8}, {22, 13}, {12, 13}, {12, 19}, {22, 19}, {22, 24}}));
        break;
    case Glyph::Import:
        p.drawRect(QRectF(4, 22, 24, 6));
        p.drawPolygon(poly({{16, 22}, {26, 12}, {20, 12}, {20, 3}, {12, 3}, {12, 12}, {6, 12}}));
        break;
    default:
        break;
    }
}

// Glyphs are drawn on a 32-unit square, in four groups to keep each short.
void drawGlyph(QPainter& p, Glyph glyph)
{
    if (glyph < Glyph::ArrowRight)
        drawShapesA(p, glyph);
    else if (glyph < Glyph::Gear)
        drawShapesB(p, glyph);
    else if (glyph < Glyph::Power)
        drawShapesC(p, glyph);
    else
        drawShapesD(p, glyph);
}

QImage drawIcon(const IconDesign& design, int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    const QColor colour = QColor::fromRgb(design.colour);
    p.setPen(QPen(colour.darker(140), 2));
    p.setBrush(colour);
    QFont font = p.font();
    font.setPixelSize(14);
    font.setBold(true);
    p.setFont(font);
    drawGlyph(p, design.glyph);
    return image;
}

QByteArray png(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// An icon file whose images are PNG streams (the layout icon files have used
// for large images since Windows Vista; Qt's ICO reader reads it).
QByteArray iconFile(const QList<QImage>& images)
{
    QList<QByteArray> streams;
    for (const QImage& image : images)
        streams << png(image);
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(images.size());
    quint32 offset = 6 + 16 * quint32(images.size());
    for (qsizetype i = 0; i < images.size(); ++i) {
        out << quint8(images[i].width()) << quint8(images[i].height()) << quint8(0) << quint8(0)
            << quint16(1) << quint16(32) << quint32(streams[i].size()) << offset;
        offset += quint32(streams[i].size());
    }
    for (const QByteArray& stream : streams)
        out.writeRawData(stream.constData(), int(stream.size()));
    return bytes;
}

} // namespace

const QList<int>& standardIconNumbers()
{
    static const QList<int> numbers = [] {
        QList<int> list;
        for (const IconDesign& design : kIcons)
            list << design.number;
        return list;
    }();
    return numbers;
}

QByteArray makeIconFile(int number)
{
    for (const IconDesign& design : kIcons)
        if (design.number == number)
            return iconFile({drawIcon(design, 16), drawIcon(design, 24), drawIcon(design, 32)});
    return {};
}

QByteArray makeBusyAnimation()
{
    constexpr int frame = 32, frames = 8;
    QImage strip(frame * frames, frame, QImage::Format_ARGB32);
    strip.fill(Qt::transparent);
    QPainter p(&strip);
    p.setRenderHint(QPainter::Antialiasing);
    for (int f = 0; f < frames; ++f) {
        for (int dot = 0; dot < frames; ++dot) {
            const double a = 2 * M_PI * dot / frames;
            const int shade = 40 + 200 * ((dot - f + frames) % frames) / frames;
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(20, 80, 160, shade));
            p.drawEllipse(QPointF(f * frame + 16 + 11 * std::cos(a), 16 + 11 * std::sin(a)), 3.5,
                          3.5);
        }
    }
    p.end();
    return png(strip);
}

ComPtr<HostResourceModule> createStandardResourceModule()
{
    ComPtr<HostResourceModule> module(new HostResourceModule);
    for (int number : standardIconNumbers())
        module->add(QStringLiteral("I%1").arg(number), QStringLiteral("ICON"),
                    makeIconFile(number));
    module->add(QStringLiteral("busy"), QStringLiteral("ANI"), makeBusyAnimation());
    return module;
}

QString toolkitTranslationText()
{
    return QStringLiteral(
        "; Toolkit captions: [locale] sections of context|source=translation lines.\n"
        "[2052]\n"
        "QPlatformTheme|OK=确定\n"
        "QPlatformTheme|Save=保存\n"
        "QPlatformTheme|Save All=全部保存\n"
        "QPlatformTheme|Open=打开\n"
        "QPlatformTheme|&Yes=是(&Y)\n"
        "QPlatformTheme|Yes to &All=全部是(&A)\n"
        "QPlatformTheme|&No=否(&N)\n"
        "QPlatformTheme|N&o to All=全部否(&O)\n"
        "QPlatformTheme|Abort=终止\n"
        "QPlatformTheme|Retry=重试\n"
        "QPlatformTheme|Ignore=忽略\n"
        "QPlatformTheme|Close=关闭\n"
        "QPlatformTheme|Cancel=取消\n"
        "QPlatformTheme|Discard=放弃\n"
        "QPlatformTheme|Help=帮助\n"
        "QPlatformTheme|Apply=应用\n"
        "QPlatformTheme|Reset=重置\n"
        "QPlatformTheme|Restore Defaults=恢复默认值\n"
        "QMessageBox|Show Details...=显示详细信息...\n"
        "QMessageBox|Hide Details...=隐藏详细信息...\n"
        "QLineEdit|&Undo=撤消(&U)\n"
        "QLineEdit|&Redo=重做(&R)\n"
        "QLineEdit|Cu&t=剪切(&T)\n"
        "QLineEdit|&Copy=复制(&C)\n"
        "QLineEdit|&Paste=粘贴(&P)\n"
        "QLineEdit|Delete=删除\n"
        "QLineEdit|Select All=全选\n"
        "QWidgetTextControl|&Undo=撤消(&U)\n"
        "QWidgetTextControl|&Redo=重做(&R)\n"
        "QWidgetTextControl|Cu&t=剪切(&T)\n"
        "QWidgetTextControl|&Copy=复制(&C)\n"
        "QWidgetTextControl|Copy &Link Location=复制链接地址(&L)\n"
        "QWidgetTextControl|&Paste=粘贴(&P)\n"
        "QWidgetTextControl|Delete=删除\n"
        "QWidgetTextControl|Select All=全选\n"
        "QAbstractSpinBox|&Select All=全选(&S)\n"
        "QAbstractSpinBox|&Step up=增加(&S)\n"
        "QAbstractSpinBox|Step &down=减少(&D)\n"
        "QWizard|< &Back=< 上一步(&B)\n"
        "QWizard|&Next >=下一步(&N) >\n"
        "QWizard|&Finish=完成(&F)\n"
        "QWizard|Cancel=取消\n"
        "QWizard|&Help=帮助(&H)\n"
        "QFileDialog|Look in:=查找范围：\n"
        "QFileDialog|File &name:=文件名(&N)：\n"
        "QFileDialog|Files of type:=文件类型：\n"
        "QFileDialog|&Open=打开(&O)\n"
        "QFileDialog|&Save=保存(&S)\n"
        "QFileDialog|All Files (*)=所有文件 (*)\n");
}

} // namespace cv::host
