#include "print/markup_layout.h"

#include "platform/paths.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPalette>

#include <algorithm>
#include <cmath>

// The resources of a static library register only when asked to.
static void InitMarkupResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(images);
        return true;
    }();
    (void)done;
}

namespace qel {
namespace {

struct Tag {
    QString name;  // lower case, "/b" for a closing tag
    QHash<QString, QString> attrs;  // names lower case
};

// Splits "<name a="1" b=2>" (without the angle brackets) into name and attributes.
Tag ParseTag(QStringView body)
{
    Tag tag;
    qsizetype i = 0;
    const qsizetype n = body.size();
    while (i < n && body[i].isSpace())
        ++i;
    const qsizetype nameStart = i;
    while (i < n && !body[i].isSpace() && body[i] != u'=')
        ++i;
    tag.name = body.mid(nameStart, i - nameStart).toString().toLower();
    while (i < n) {
        while (i < n && body[i].isSpace())
            ++i;
        const qsizetype keyStart = i;
        while (i < n && !body[i].isSpace() && body[i] != u'=')
            ++i;
        const QString key = body.mid(keyStart, i - keyStart).toString().toLower();
        while (i < n && body[i].isSpace())
            ++i;
        QString value;
        if (i < n && body[i] == u'=') {
            ++i;
            while (i < n && body[i].isSpace())
                ++i;
            if (i < n && (body[i] == u'"' || body[i] == u'\'')) {
                const QChar quote = body[i++];
                const qsizetype valueStart = i;
                while (i < n && body[i] != quote)
                    ++i;
                value = body.mid(valueStart, i - valueStart).toString();
                if (i < n)
                    ++i;
            } else {
                const qsizetype valueStart = i;
                while (i < n && !body[i].isSpace())
                    ++i;
                value = body.mid(valueStart, i - valueStart).toString();
            }
        }
        if (!key.isEmpty())
            tag.attrs.insert(key, value);
        else if (i < n)
            ++i;
    }
    return tag;
}

// The entity at text[i] ('&'), or a null char when it is none of ours.
QChar Entity(const QString& text, qsizetype i, qsizetype& length)
{
    static const struct { const char16_t* name; char16_t ch; } entities[] = {
        {u"&lt;", u'<'}, {u"&gt;", u'>'}, {u"&amp;", u'&'}, {u"&quot;", u'"'},
    };
    for (const auto& e : entities) {
        const QStringView name(e.name);
        if (QStringView(text).mid(i, name.size()).compare(name, Qt::CaseInsensitive) == 0) {
            length = name.size();
            return QChar(e.ch);
        }
    }
    length = 1;
    return QChar();
}

struct Item {
    QString text;  // empty: picture or indent gap
    QImage image;
    QFont font;
    QColor color;
    QColor background;  // invalid: transparent
    QString href;
    bool shadow = false;
    bool blank = false;  // only blanks: not part of the line's ink width
    int x = 0;
    int width = 0;
    int ascent = 0;
    int descent = 0;
    int shift = 0;  // baseline offset, downwards
};

struct Line {
    QList<Item> items;
    int align = 0;  // 0 left, 1 centre, 2 right
    QColor background;
    bool rule = false;
    int height = 0;
    int ascent = 0;
    int inkWidth = 0;
    int offset = 0;
};

struct Style {
    QFont font;
    QColor color;
    QColor background;
    QString href;
    bool sub = false;
    bool sup = false;
    bool shadow = false;
};

class Layouter {
public:
    Layouter(QPaintDevice* device, const QFont& font, const QColor& color, int width, const MarkupStyle& options)
        : device_(device), baseFont_(font), baseColor_(color), width_(width), options_(options)
    {
        style_.font = font;
        style_.color = color;
        dpiX_ = device ? device->logicalDpiX() : 96;
        dpiY_ = device ? device->logicalDpiY() : 96;
    }

    QList<Line> run(const QString& text);

private:
    QFontMetrics metrics(const QFont& f) const { return QFontMetrics(f, device_); }
    QFont itemFont() const;
    void addWord(const QString& word);
    void addItem(Item item);
    void endLine();
    void endLineIfNotEmpty();
    void handleTag(const Tag& tag);
    void addImage(const Tag& tag);
    int listStep() const { return metrics(baseFont_).height() * 3 / 2; }

    QPaintDevice* device_;
    QFont baseFont_;
    QColor baseColor_;
    int width_;
    MarkupStyle options_;
    int dpiX_;
    int dpiY_;

    Style style_;
    int align_ = 0;
    QColor paragraphBackground_;
    int listLevel_ = 0;
    int lineStart_ = 0;
    int x_ = 0;
    int hidden_ = 0;
    Line current_;
    QList<Line> lines_;
};

QFont Layouter::itemFont() const
{
    QFont f = style_.font;
    if (style_.sub || style_.sup) {
        if (f.pointSizeF() > 0)
            f.setPointSizeF(f.pointSizeF() * 2 / 3);
        else
            f.setPixelSize(std::max(1, f.pixelSize() * 2 / 3));
    }
    return f;
}

void Layouter::addWord(const QString& word)
{
    if (word.isEmpty())
        return;
    Item item;
    item.text = word;
    item.font = itemFont();
    item.color = style_.href.isEmpty() ? style_.color : options_.linkColor;
    if (!style_.href.isEmpty() && options_.underlineLinks)
        item.font.setUnderline(true);
    item.background = style_.background;
    item.href = style_.href;
    item.shadow = style_.shadow;
    item.blank = word.trimmed().isEmpty();
    const QFontMetrics fm = metrics(item.font);
    item.width = fm.horizontalAdvance(word);
    item.ascent = fm.ascent();
    item.descent = fm.descent();
    if (style_.sub || style_.sup) {
        const QFontMetrics normal = metrics(style_.font);
        item.shift = style_.sup ? -(normal.ascent() * 2 / 5) : normal.descent();
        item.ascent -= item.shift;
        item.descent += item.shift;
    }
    addItem(std::move(item));
}

void Layouter::addItem(Item item)
{
    // A unit that does not fit moves whole to the next line, unless the line
    // holds nothing yet (an overlong word then overflows rather than looping).
    if (x_ + item.width > width_ && !current_.items.isEmpty())
        endLine();
    item.x = x_;
    x_ += item.width;
    current_.items.append(std::move(item));
}

void Layouter::endLine()
{
    Line& line = current_;
    line.align = align_;
    int ascent = 0;
    int descent = 0;
    int ink = 0;
    int end = 0;
    for (const Item& item : line.items) {
        ascent = std::max(ascent, item.ascent);
        descent = std::max(descent, item.descent);
        end = std::max(end, item.x + item.width);
        if (!item.blank)
            ink = std::max(ink, item.x + item.width);
    }
    if (line.items.isEmpty()) {
        const QFontMetrics fm = metrics(itemFont());
        ascent = fm.ascent();
        descent = fm.descent();
    }
    line.ascent = ascent;
    line.height = ascent + descent;
    line.inkWidth = ink > 0 ? ink : end;
    if (line.align == 2)
        line.offset = width_ - line.inkWidth;
    else if (line.align == 1)
        line.offset = (width_ - line.inkWidth) / 2;
    lines_.append(std::move(current_));
    current_ = Line();
    // A paragraph colour covers every line it was in force on, even when it
    // ends within the line.
    current_.background = paragraphBackground_;
    x_ = lineStart_;
}

void Layouter::endLineIfNotEmpty()
{
    if (!current_.items.isEmpty())
        endLine();
}

void Layouter::addImage(const Tag& tag)
{
    const QString src = tag.attrs.value(QStringLiteral("src"));
    QImage image;
    if (src.startsWith(QStringLiteral("res://"), Qt::CaseInsensitive)) {
        LoadPrintResources();
        const QString name = src.mid(6);
        for (const QString& suffix : {QString(), QStringLiteral(".png"), QStringLiteral(".bmp")}) {
            if (image.load(QStringLiteral(":/markup/") + name + suffix))
                break;
        }
    } else if (src.startsWith(QStringLiteral("file://"), Qt::CaseInsensitive)) {
        image.load(MapWindowsPath(src.mid(7)));
    }
    if (image.isNull())
        return;
    // Sizes are screen pixels, as on the screen the pictures were made for.
    const int attrW = tag.attrs.value(QStringLiteral("width")).toInt();
    const int attrH = tag.attrs.value(QStringLiteral("height")).toInt();
    int w = attrW > 0 ? attrW : image.width();
    int h = attrH > 0 ? attrH : image.height();
    if (attrW > 0 && attrH <= 0)
        h = image.height() * attrW / std::max(1, image.width());
    else if (attrH > 0 && attrW <= 0)
        w = image.width() * attrH / std::max(1, image.height());
    Item item;
    item.image = image;
    item.href = style_.href;
    item.width = static_cast<int>(std::lround(w * dpiX_ / 96.0));
    const int height = static_cast<int>(std::lround(h * dpiY_ / 96.0));
    const QFontMetrics fm = metrics(style_.font);
    const QString align = tag.attrs.value(QStringLiteral("align")).toLower();
    if (align == u"middle" || align == u"center")
        item.ascent = (height + fm.ascent() - fm.descent()) / 2;
    else if (align == u"top")
        item.ascent = fm.ascent();
    else
        item.ascent = height;
    item.descent = height - item.ascent;
    addItem(std::move(item));
}

void Layouter::handleTag(const Tag& tag)
{
    const QString& n = tag.name;
    auto setFlag = [this](void (QFont::*setter)(bool), bool on) {
        (style_.font.*setter)(on);
    };
    if (n == u"b" || n == u"/b")
        setFlag(&QFont::setBold, n == u"b");
    else if (n == u"i" || n == u"/i")
        setFlag(&QFont::setItalic, n == u"i");
    else if (n == u"u" || n == u"/u")
        setFlag(&QFont::setUnderline, n == u"u");
    else if (n == u"s" || n == u"/s")
        setFlag(&QFont::setStrikeOut, n == u"s");
    else if (n == u"sub" || n == u"/sub")
        style_.sub = n == u"sub";
    else if (n == u"sup" || n == u"/sup")
        style_.sup = n == u"sup";
    else if (n == u"shad" || n == u"/shad")
        style_.shadow = n == u"shad";
    else if (n == u"br")
        endLine();
    else if (n == u"hr") {
        current_.rule = true;
        endLine();
    } else if (n == u"font") {
        if (tag.attrs.contains(QStringLiteral("face")))
            style_.font.setFamily(tag.attrs.value(QStringLiteral("face")));
        const int size = tag.attrs.value(QStringLiteral("size")).toInt();
        if (size > 0)
            style_.font.setPointSize(size);
        if (tag.attrs.contains(QStringLiteral("color")))
            style_.color = MarkupColor(tag.attrs.value(QStringLiteral("color")));
        if (tag.attrs.contains(QStringLiteral("bgcolor")))
            style_.background = MarkupColor(tag.attrs.value(QStringLiteral("bgcolor")));
    } else if (n == u"/font") {
        style_.font.setFamily(baseFont_.family());
        if (baseFont_.pointSizeF() > 0)
            style_.font.setPointSizeF(baseFont_.pointSizeF());
        else
            style_.font.setPixelSize(baseFont_.pixelSize());
        style_.color = baseColor_;
        style_.background = QColor();
    } else if (n == u"p") {
        const QString align = tag.attrs.value(QStringLiteral("align")).toLower();
        if (align.contains(u"right"))
            align_ = 2;
        else if (align.contains(u"left"))
            align_ = 0;
        else if (align.contains(u"center"))
            align_ = 1;
        if (tag.attrs.contains(QStringLiteral("bgcolor")))
            current_.background = paragraphBackground_ = MarkupColor(tag.attrs.value(QStringLiteral("bgcolor")));
    } else if (n == u"/p") {
        paragraphBackground_ = QColor();
    } else if (n == u"ind") {
        bool ok = false;
        const int x = tag.attrs.value(QStringLiteral("x")).toInt(&ok);
        if (ok && x_ < x)
            x_ = x;
    } else if (n == u"a") {
        style_.href = tag.attrs.value(QStringLiteral("href"));
    } else if (n == u"/a") {
        style_.href.clear();
    } else if (n == u"img") {
        addImage(tag);
    } else if (n == u"ul") {
        endLineIfNotEmpty();
        ++listLevel_;
        lineStart_ = x_ = listLevel_ * listStep();
    } else if (n == u"/ul") {
        endLineIfNotEmpty();
        listLevel_ = std::max(0, listLevel_ - 1);
        lineStart_ = x_ = listLevel_ * listStep();
    } else if (n == u"li") {
        endLineIfNotEmpty();
        const int level = std::max(1, listLevel_);
        const int step = listStep();
        lineStart_ = level * step;
        x_ = (level - 1) * step + step / 3;
        const QString savedHref = style_.href;
        style_.href.clear();
        addWord(QString(QChar(0x2022)));
        style_.href = savedHref;
        x_ = std::max(x_, lineStart_);
    }
}

QList<Line> Layouter::run(const QString& text)
{
    QString word;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == u'<') {
            const qsizetype close = text.indexOf(u'>', i + 1);
            if (close > i) {
                const Tag tag = ParseTag(QStringView(text).mid(i + 1, close - i - 1));
                i = close;
                if (tag.name == u"z") {
                    ++hidden_;
                    continue;
                }
                if (tag.name == u"/z") {
                    hidden_ = std::max(0, hidden_ - 1);
                    continue;
                }
                if (hidden_ > 0)
                    continue;
                addWord(word);  // a tag ends a word
                word.clear();
                handleTag(tag);
                continue;
            }
        }
        if (hidden_ > 0)
            continue;
        QChar ch = c;
        if (c == u'&') {
            qsizetype length = 1;
            const QChar e = Entity(text, i, length);
            if (!e.isNull()) {
                ch = e;
                i += length - 1;
            }
        } else if (c == u'\n') {
            addWord(word);
            word.clear();
            endLine();
            continue;
        } else if (c == u'\r') {
            continue;
        } else if (c.unicode() < 32) {
            ch = u' ';
        }
        word += ch;
        if (ch == u' ') {
            // The word together with its one blank is the unit of wrapping;
            // further blanks are units of their own, so none is lost.
            addWord(word);
            word.clear();
        }
    }
    addWord(word);
    if (!current_.items.isEmpty() || lines_.isEmpty() || current_.rule)
        endLine();
    return std::move(lines_);
}

void DrawLine(QPainter& p, const Line& line, const QRect& rect, int top, int dpiX)
{
    const int left = rect.left() + line.offset;
    if (line.background.isValid())
        p.fillRect(QRect(rect.left(), top, rect.width(), line.height), line.background);
    const int baseline = top + line.ascent;
    const int shadowOffset = std::max(1, dpiX / 96);
    for (const Item& item : line.items) {
        const int x = left + item.x;
        if (!item.image.isNull()) {
            p.drawImage(QRect(x, baseline - item.ascent, item.width, item.ascent + item.descent), item.image);
            continue;
        }
        if (item.text.isEmpty())
            continue;
        p.setFont(item.font);
        if (item.background.isValid())
            p.fillRect(QRect(x, top, item.width, line.height), item.background);
        if (item.shadow) {
            p.setPen(QColor(0x80, 0x80, 0x80));
            p.drawText(QPoint(x + shadowOffset, baseline + item.shift + shadowOffset), item.text);
        }
        p.setPen(item.color);
        p.drawText(QPoint(x, baseline + item.shift), item.text);
    }
    if (line.rule) {
        const int thickness = std::max(1, dpiX / 96);
        p.fillRect(QRect(rect.left(), top + line.height - thickness, rect.width(), thickness), Qt::black);
    }
}

MarkupResult Render(QPainter* painter, QPaintDevice* device, const QString& markup, const QRect& rect,
                    MarkupMode mode, const QFont& font, const QColor& color, const MarkupStyle& style)
{
    Layouter layouter(device, font, color, rect.width(), style);
    const QList<Line> lines = layouter.run(markup);
    MarkupResult result;
    const int bottom = rect.y() + rect.height();
    int y = rect.top();
    const int dpiX = device ? device->logicalDpiX() : 96;
    if (painter && mode == MarkupMode::Draw)
        painter->save();
    for (const Line& line : lines) {
        if (painter && mode == MarkupMode::Draw)
            DrawLine(*painter, line, rect, y, dpiX);
        MarkupLine out;
        out.rect = QRect(rect.left(), y, rect.width(), line.height);
        for (const Item& item : line.items) {
            const QRect r(rect.left() + line.offset + item.x, y, item.width, line.height);
            out.text += item.text;
            out.fragments.append({item.text, r});
            if (!item.href.isEmpty()) {
                if (!result.links.isEmpty() && result.links.last().href == item.href
                    && result.links.last().rect.top() == y)
                    result.links.last().rect |= r;
                else
                    result.links.append({item.href, r});
            }
        }
        result.lines.append(std::move(out));
        result.width = std::max(result.width, line.inkWidth);
        result.height += line.height;
        y += line.height;
        // Bottom limit: stop when a further line as high as this one would
        // reach below the rectangle.
        if (mode == MarkupMode::Draw && y + line.height > bottom)
            break;
    }
    if (painter && mode == MarkupMode::Draw)
        painter->restore();
    return result;
}

}  // namespace

QString MarkupResult::linkAt(const QPoint& p) const
{
    for (const MarkupLink& link : links) {
        if (link.rect.contains(p))
            return link.href;
    }
    return {};
}

MarkupResult RenderMarkup(QPainter& painter, const QString& markup, const QRect& rect, MarkupMode mode,
                          const MarkupStyle& style)
{
    return Render(&painter, painter.device(), markup, rect, mode, painter.font(), painter.pen().color(), style);
}

MarkupResult MeasureMarkup(const QString& markup, const QRect& rect, const QFont& font, QPaintDevice* device,
                           const MarkupStyle& style)
{
    return Render(nullptr, device, markup, rect, MarkupMode::Measure, font, Qt::black, style);
}

QColor MarkupColor(const QString& value)
{
    const QString v = value.trimmed();
    if (v.startsWith(u'#')) {
        bool ok = false;
        const uint rgb = v.mid(1).toUInt(&ok, 16);
        return ok && v.size() == 7 ? QColor::fromRgb(static_cast<QRgb>(rgb)) : QColor(Qt::black);
    }
    const QPalette pal = QGuiApplication::palette();
    static const QHash<QString, QRgb> fixed = {
        {QStringLiteral("clblack"), 0x000000},     {QStringLiteral("clmaroon"), 0x800000},
        {QStringLiteral("clgreen"), 0x008000},     {QStringLiteral("clolive"), 0x808000},
        {QStringLiteral("clnavy"), 0x000080},      {QStringLiteral("clpurple"), 0x800080},
        {QStringLiteral("clteal"), 0x008080},      {QStringLiteral("clgray"), 0x808080},
        {QStringLiteral("clsilver"), 0xC0C0C0},    {QStringLiteral("clred"), 0xFF0000},
        {QStringLiteral("cllime"), 0x00FF00},      {QStringLiteral("clyellow"), 0xFFFF00},
        {QStringLiteral("clblue"), 0x0000FF},      {QStringLiteral("clfuchsia"), 0xFF00FF},
        {QStringLiteral("claqua"), 0x00FFFF},      {QStringLiteral("clwhite"), 0xFFFFFF},
        // System colours without a counterpart in the desktop palette keep the
        // classic Windows values.
        {QStringLiteral("clbackground"), 0x3A6EA5}, {QStringLiteral("clactivecaption"), 0x0A246A},
        {QStringLiteral("clinactivecaption"), 0x808080}, {QStringLiteral("clcaptiontext"), 0xFFFFFF},
        {QStringLiteral("clinactivecaptiontext"), 0xD4D0C8}, {QStringLiteral("clactiveborder"), 0xD4D0C8},
        {QStringLiteral("clinactiveborder"), 0xD4D0C8}, {QStringLiteral("clappworkspace"), 0x808080},
        {QStringLiteral("clwindowframe"), 0x000000}, {QStringLiteral("cl3ddkshadow"), 0x404040},
        {QStringLiteral("clinfotext"), 0x000000},  {QStringLiteral("clinfobk"), 0xFFFFE1},
    };
    const QString key = v.toLower();
    if (const auto it = fixed.constFind(key); it != fixed.constEnd())
        return QColor::fromRgb(*it);
    static const QHash<QString, std::pair<QPalette::ColorGroup, QPalette::ColorRole>> roles = {
        {QStringLiteral("clmenu"), {QPalette::Active, QPalette::Window}},
        {QStringLiteral("clwindow"), {QPalette::Active, QPalette::Base}},
        {QStringLiteral("clmenutext"), {QPalette::Active, QPalette::WindowText}},
        {QStringLiteral("clwindowtext"), {QPalette::Active, QPalette::Text}},
        {QStringLiteral("clhighlight"), {QPalette::Active, QPalette::Highlight}},
        {QStringLiteral("clhighlighttext"), {QPalette::Active, QPalette::HighlightedText}},
        {QStringLiteral("clbtnface"), {QPalette::Active, QPalette::Button}},
        {QStringLiteral("clbtnshadow"), {QPalette::Active, QPalette::Dark}},
        {QStringLiteral("clgraytext"), {QPalette::Disabled, QPalette::Text}},
        {QStringLiteral("clbtntext"), {QPalette::Active, QPalette::ButtonText}},
        {QStringLiteral("clbtnhighlight"), {QPalette::Active, QPalette::Light}},
        {QStringLiteral("cl3dlight"), {QPalette::Active, QPalette::Midlight}},
    };
    if (const auto it = roles.constFind(key); it != roles.constEnd())
        return pal.color(it->first, it->second);
    return Qt::black;
}

void LoadPrintResources()
{
    InitMarkupResources();
}

QString MarkupPlainText(const QString& markup)
{
    QImage probe(1, 1, QImage::Format_RGB32);
    const MarkupResult r = MeasureMarkup(markup, QRect(0, 0, 1 << 20, 1 << 20), QFont(), &probe);
    QStringList lines;
    for (const MarkupLine& line : r.lines)
        lines.append(line.text);
    return lines.join(u'\n');
}

}  // namespace qel
