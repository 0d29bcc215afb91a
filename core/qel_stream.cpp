#include "core/qel_stream.h"

#include "core/interaction.h"
#include "core/qel_object.h"
#include "platform/cp1250.h"

#include <QtEndian>

#include <algorithm>

#include <memory>

static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "the stream's raw blocks are little-endian memory images");

EqelException::EqelException(QString message)
    : message_(std::move(message)), utf8_(message_.toUtf8())
{
}

namespace {

constexpr int kShortStringMax = 30000;

QString Damaged(const QString& what)
{
    return QStringLiteral("Plik danych jest uszkodzony lub niekompletny: %1").arg(what);
}

}  // namespace

void tQelStream::SetPosition(qint64 position)
{
    pos_ = qBound<qint64>(0, position, data_.size());
}

void tQelStream::Truncated(qint64 wanted) const
{
    throw EqelException(Damaged(QStringLiteral("brakuje danych (potrzeba %1 B od pozycji %2, zostało %3 B).")
                                    .arg(wanted).arg(pos_).arg(Remaining())));
}

void tQelStream::ReadBuffer(void* buffer, qint64 count)
{
    if (count <= 0)
        return;
    if (count > Remaining())
        Truncated(count);
    std::memcpy(buffer, data_.constData() + pos_, static_cast<size_t>(count));
    pos_ += count;
}

void tQelStream::WriteBuffer(const void* buffer, qint64 count)
{
    if (count <= 0)
        return;
    if (pos_ == data_.size()) {
        data_.append(static_cast<const char*>(buffer), count);
    } else {
        if (pos_ + count > data_.size())
            data_.resize(pos_ + count);
        std::memcpy(data_.data() + pos_, buffer, static_cast<size_t>(count));
    }
    pos_ += count;
}

qint64 tQelStream::ReadLength()
{
    const auto n = ReadValue<qint16>();
    if (n >= 1) {
        if (n > Remaining())
            Truncated(n);
        return n;
    }
    if (n != -1)
        return -1;
    const qint64 length = ReadValue<qint32>();
    // A length field is believed only as far as the data goes.
    if (length < 0 || length > Remaining())
        throw EqelException(Damaged(QStringLiteral("tekst o długości %1 B, a w pliku zostało %2 B (pozycja %3).")
                                        .arg(length).arg(Remaining()).arg(pos_)));
    return length;
}

std::optional<QByteArray> tQelStream::ReadPChar()
{
    const qint64 length = ReadLength();
    if (length < 0)
        return std::nullopt;
    QByteArray bytes(data_.constData() + pos_, length);
    pos_ += length;
    return bytes;
}

QString tQelStream::ReadString()
{
    const qint64 length = ReadLength();
    if (length <= 0)
        return {};
    const QString text = qel::DecodeCp1250(data_.constData() + pos_, length);
    pos_ += length;
    return text;
}

void tQelStream::WriteLength(qint64 length)
{
    if (length <= kShortStringMax) {
        WriteValue<qint16>(static_cast<qint16>(length));
    } else {
        WriteValue<qint16>(-1);
        WriteValue<qint32>(static_cast<qint32>(length));
    }
}

void tQelStream::WriteBytes(const QByteArray& bytes)
{
    WriteLength(bytes.size());
    WriteBuffer(bytes.constData(), bytes.size());
}

void tQelStream::WritePChar(const char* buffer)
{
    if (!buffer) {
        WriteValue<qint16>(0);
        return;
    }
    const auto n = static_cast<qint64>(std::strlen(buffer));
    WriteLength(n);
    WriteBuffer(buffer, n);
}

void tQelStream::WriteString(const QString& text)
{
    const qsizetype n = text.size();
    const QChar* src = text.constData();
    for (qsizetype k = 0; k < n; ++k)
        if (src[k].unicode() >= 0x80) {
            WriteBytes(qel::EncodeCp1250(text));
            return;
        }
    // Plain ASCII, by far the most common text: one byte a character, written in place.
    WriteLength(n);
    if (pos_ + n > data_.size()) {
        if (pos_ + n > data_.capacity())
            data_.reserve(std::max<qint64>(2 * data_.capacity(), pos_ + n));
        data_.resize(pos_ + n);
    }
    char* dst = data_.data() + pos_;
    for (qsizetype i = 0; i < n; ++i)
        dst[i] = static_cast<char>(src[i].unicode());
    pos_ += n;
}

qel::Persistent* tQelStream::ReadObject()
{
    const auto type = ReadValue<quint16>();
    if (type == 0)
        return nullptr;
    const qel::PersistentFactory* factory = qel::FindQelClass(type);
    if (!factory)
        throw EqelException(QStringLiteral("202: Próba obsługi niezarejestrowanego typu numer %1.").arg(type));
    if (nesting >= kMaxNesting)
        throw EqelException(Damaged(QStringLiteral("listy zagnieżdżone głębiej niż %1 poziomów (pozycja %2).")
                                        .arg(kMaxNesting).arg(pos_)));
    std::unique_ptr<qel::Persistent> object((*factory)());
    ++nesting;
    struct Leave {
        int& n;
        ~Leave() { --n; }
    } leave{nesting};
    if (auto* record = dynamic_cast<tQelObject*>(object.get()))
        record->Load(*this);
    else if (auto* list = dynamic_cast<tQelList*>(object.get()))
        list->LoadFromStream(*this);
    else
        throw EqelException(QStringLiteral("203: Nie można odczytać ze strumienia typu %1.").arg(object->ClassName()));
    return object.release();
}

void tQelStream::WriteObject(const qel::Persistent* object)
{
    const auto* record = dynamic_cast<const tQelObject*>(object);
    if (record && record->skip)
        return;
    if (!object) {
        WriteValue<quint16>(0);
        return;
    }
    const int type = qel::FindQelTypeNumber(object->ClassName());
    if (type == 0) {
        // The writer has no number for the class, so its name goes with the message.
        const QString message =
            QStringLiteral("202: Próba obsługi niezarejestrowanego typu numer 0. (%1)").arg(object->ClassName());
        qel::Prompt prompt;
        prompt.text = message;
        qel::Ask(prompt);
        throw EqelException(message);
    }
    const auto* list = dynamic_cast<const tQelList*>(object);
    if (!record && !list)
        throw EqelException(QStringLiteral("203: Nie można odczytać ze strumienia typu %1.").arg(object->ClassName()));
    WriteValue<quint16>(static_cast<quint16>(type));
    if (record)
        record->Store(*this);
    else
        list->SaveToStream(*this);
}
