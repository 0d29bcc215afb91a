#pragma once

#include <QByteArray>
#include <QString>

#include <cstring>
#include <exception>
#include <optional>
#include <type_traits>

// The persistence layer's exception. Its message is the program's own Polish
// text (numbered 201, 202, 203, or a description of a damaged file).
class EqelException : public std::exception {
public:
    explicit EqelException(QString message);
    const QString& message() const { return message_; }
    const char* what() const noexcept override { return utf8_.constData(); }

private:
    QString message_;
    QByteArray utf8_;
};

namespace qel {
class Persistent;
}

// The byte stream every database file is read into and written from in one
// piece. Reading never trusts the data: every read that would run past the end
// raises EqelException instead.
class tQelStream {
public:
    tQelStream() = default;
    explicit tQelStream(QByteArray data) : data_(std::move(data)) {}
    virtual ~tQelStream() = default;

    bool wideCounts = false;

    const QByteArray& Data() const { return data_; }
    QByteArray TakeData() { pos_ = 0; return std::move(data_); }
    qint64 Size() const { return data_.size(); }
    qint64 Position() const { return pos_; }
    void SetPosition(qint64 position);
    qint64 Remaining() const { return data_.size() - pos_; }

    // Raw access for the fixed parts of a record.
    void ReadBuffer(void* buffer, qint64 count);
    void WriteBuffer(const void* buffer, qint64 count);
    template <typename T>
    T ReadValue()
    {
        static_assert(std::is_trivially_copyable_v<T>);
        T value;
        ReadBuffer(&value, sizeof value);
        return value;
    }
    template <typename T>
    void WriteValue(T value)
    {
        static_assert(std::is_trivially_copyable_v<T>);
        WriteBuffer(&value, sizeof value);
    }

    // A string as stored: none (length 0 or an unknown negative length) or bytes.
    virtual std::optional<QByteArray> ReadPChar();
    virtual QString ReadString();  // Windows-1250 bytes decoded; empty when none
    virtual void WritePChar(const char* buffer);  // up to its terminator; none when null
    virtual void WriteString(const QString& text);
    void WriteBytes(const QByteArray& bytes);  // a string given in its byte form
    virtual qel::Persistent* ReadObject();  // a new object owned by the caller, or none
    virtual void WriteObject(const qel::Persistent* object);

    // Nesting deeper than this is taken for a damaged file rather than followed
    // until the stack runs out.
    static constexpr int kMaxNesting = 64;
    int nesting = 0;

private:
    qint64 ReadLength();  // of a stored string; -1 for none
    void WriteLength(qint64 length);
    [[noreturn]] void Truncated(qint64 wanted) const;

    QByteArray data_;
    qint64 pos_ = 0;
};
