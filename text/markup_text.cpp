#include "text/markup_text.h"

#include "platform/clock.h"
#include "platform/datetime.h"
#include "text/dates.h"
#include "text/strings.h"

#include <QCoreApplication>

namespace {

const QString kLineEnd = QStringLiteral("\r\n");

QString Replace(const QString& text, const QString& find, const QString& replacement)
{
    return ReplaceAllNoCase(find, replacement, text);
}

}  // namespace

QString RemoveBetween(const QString& open, const QString& close, const QString& text)
{
    if (open.isEmpty() || close.isEmpty())
        return text;
    QString out = text;
    for (int round = 0; round < 2048; ++round) {
        const qsizetype from = out.indexOf(open, 0, Qt::CaseInsensitive);
        if (from < 0)
            break;
        const qsizetype to = out.indexOf(close, from + open.size(), Qt::CaseInsensitive);
        if (to < 0)
            break;
        out.remove(from, to + close.size() - from);
    }
    return out;
}

QString MarkupToPlain(const QString& text, bool keepBasicTags)
{
    static const char* const kBasicTags[7] = {"<b>", "<i>", "<u>", "<hr>", "</b>", "</i>", "</u>"};
    QString s = text;
    if (!keepBasicTags) {
        s = Replace(s, QStringLiteral("<hr>"), kLineEnd + u'-' + kLineEnd);
        s = Replace(s, QStringLiteral("<br><br>"), kLineEnd + u'.' + kLineEnd);
        s = Replace(s, QStringLiteral("<br>"), kLineEnd);
        s = Replace(s, QStringLiteral("<ind"), QStringLiteral("\t<"));
    }
    s = RemoveBetween(QStringLiteral("<HEAD"), QStringLiteral("</HEAD>"), s);
    s = RemoveBetween(QStringLiteral("<FORM"), QStringLiteral("</FORM>"), s);
    s = RemoveBetween(QStringLiteral("<SCRIPT>"), QStringLiteral("</SCRIPT>"), s);
    s = RemoveBetween(QStringLiteral("<!--&JAVASCRIPT>"), QStringLiteral("<!--&/JAVASCRIPT"), s);
    // The kept tags hide as the control characters 1-7 while every other tag goes.
    if (keepBasicTags) {
        for (int i = 0; i < 7; ++i)
            s = Replace(s, QLatin1StringView(kBasicTags[i]), QString(QChar(i + 1)));
    }
    s = RemoveBetween(QStringLiteral("<"), QStringLiteral(">"), s);
    if (keepBasicTags) {
        for (int i = 0; i < 7; ++i)
            s = Replace(s, QString(QChar(i + 1)), QLatin1StringView(kBasicTags[i]));
    }
    s = Replace(s, QStringLiteral("&nbsp;"), QStringLiteral(" "));
    s = Replace(s, QStringLiteral("&lt;"), QStringLiteral("<"));
    s = Replace(s, QStringLiteral("&gt;"), QStringLiteral(">"));
    s = Replace(s, QStringLiteral("&pound;"), QStringLiteral("&"));
    s = Replace(s, QStringLiteral("&copy;"), QStringLiteral("(c)"));
    s = Replace(s, QStringLiteral("&para;"), kLineEnd);
    s = Replace(s, QString(7, u' '), QStringLiteral(" "));
    s = Replace(s, QString(3, u' '), QStringLiteral(" "));
    s = Replace(s, QString(2, u' '), QStringLiteral(" "));
    s = Replace(s, kLineEnd + u'.', kLineEnd + QStringLiteral("   "));
    s = Replace(s, kLineEnd + u'_', kLineEnd + QStringLiteral("   "));
    s = Replace(s, kLineEnd + kLineEnd + kLineEnd, kLineEnd + kLineEnd);
    return s;
}

QString ExpandTemplateTokens(const QString& templateText)
{
    const TDateTime today = qel::ToDateTime(qel::Today());
    const QString dateText = DateText(today);
    const struct {
        QString token;
        QString value;
    } tokens[] = {
        {QStringLiteral("*f7"), QStringLiteral("<font size=\"7\">")},
        {QStringLiteral("*f8"), QStringLiteral("<font size=\"8\">")},
        {QStringLiteral("*f10"), QStringLiteral("<font size=\"10\">")},
        {QStringLiteral("*f12"), QStringLiteral("<font size=\"12\">")},
        {QStringLiteral("*DATA"), dateText},
        {QStringLiteral("DATA"), dateText},
        {QStringLiteral("*DATADŁUGA"), LongDateText(today)},
        {QStringLiteral("*PATH"), QCoreApplication::applicationFilePath()},
    };
    QString s = templateText;
    for (const auto& t : tokens) {
        s = Replace(s, u'[' + t.token + u']', t.value);
        s = Replace(s, u'#' + t.token, t.value);
    }
    return s;
}

QString WrapThreeLines(int width, const QString& markup)
{
    QString s = MarkupToPlain(markup, false);
    s = Replace(s, kLineEnd, QStringLiteral(" "));
    s = Shorten(3 * width, s);
    if (width <= 0)
        return s;
    for (int k = 1; k <= 3; ++k) {
        const qsizetype at = static_cast<qsizetype>(k) * width;
        if (s.size() > at)
            s.insert(at - 1, kLineEnd);
    }
    return s;
}

QString BreakAtBlank(int maxLength, int breakAt, const QString& text, bool markup)
{
    QString s = Replace(text, kLineEnd, QStringLiteral(", "));
    s = Shorten(maxLength, s);
    if (breakAt > 0 && breakAt <= MarkupToPlain(s, false).size()) {
        const qsizetype blank = s.lastIndexOf(u' ', qMin<qsizetype>(breakAt, s.size()) - 1);
        if (blank >= 0)
            s.replace(blank, 1, markup ? QStringLiteral("<br>") : kLineEnd);
    }
    if (markup)
        s += QStringLiteral("</b>");
    return s;
}

QString ShortBold(int maxLength, const QString& text)
{
    return BreakAtBlank(maxLength, maxLength / 2, text, true) + QStringLiteral("</b>");
}
