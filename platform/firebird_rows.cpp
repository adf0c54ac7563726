#include "platform/firebird_rows.h"

#include "platform/firebird_api.h"

#include <QDateTime>

#include <algorithm>
#include <cstring>
#include <vector>

namespace fb {

namespace {

using namespace detail;
using Firebird::IMessageMetadata;
using Firebird::IMetadataBuilder;

constexpr unsigned kUtf8 = 4;
constexpr unsigned kDateTextLength = 64;

QByteArray parameterText(const QVariant& value) {
    switch (value.typeId()) {
        case QMetaType::QDateTime:
            return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")).toUtf8();
        case QMetaType::QDate:
            return value.toDate().toString(Qt::ISODate).toUtf8();
        case QMetaType::Double:
            return QByteArray::number(value.toDouble(), 'g', 17);
        default:
            return value.toString().toUtf8();
    }
}

// A message's metadata with each column changed by `change`.
IMessageMetadata* reshaped(
    IMessageMetadata* metadata,
    const std::function<void(IMetadataBuilder*, unsigned, unsigned)>& change) {
    Status status;
    IMetadataBuilder* builder = metadata->getBuilder(status.wrapper());
    status.throwIfFailed();
    const unsigned count = metadata->getCount(status.wrapper());
    for (unsigned index = 0; index < count; ++index)
        change(builder, index, metadata->getType(status.wrapper(), index) & ~1u);
    IMessageMetadata* result = builder->getMetadata(status.wrapper());
    builder->release();
    status.throwIfFailed();
    return result;
}

// Every parameter travels as UTF-8 text of its own length.
IMessageMetadata* textParameters(IMessageMetadata* metadata, const std::vector<QByteArray>& texts) {
    return reshaped(metadata, [&texts](IMetadataBuilder* builder, unsigned index, unsigned) {
        Status status;
        builder->setType(status.wrapper(), index, SQL_VARYING + 1);
        builder->setLength(status.wrapper(), index,
                           std::max<unsigned>(1, unsigned(texts.at(index).size())));
        builder->setCharSet(status.wrapper(), index, kUtf8);
        status.throwIfFailed();
    });
}

// Numbers arrive as doubles, text and blobs as they are, anything else
// (dates, times) as the engine's text of it.
IMessageMetadata* readableColumns(IMessageMetadata* metadata) {
    return reshaped(metadata, [](IMetadataBuilder* builder, unsigned index, unsigned type) {
        if (type == SQL_TEXT || type == SQL_VARYING || type == SQL_BLOB)
            return;
        const bool number = type == SQL_SHORT || type == SQL_LONG || type == SQL_INT64 ||
                            type == SQL_FLOAT || type == SQL_DOUBLE || type == SQL_D_FLOAT;
        Status status;
        builder->setType(status.wrapper(), index, (number ? SQL_DOUBLE : SQL_VARYING) + 1);
        builder->setScale(status.wrapper(), index, 0);
        builder->setLength(status.wrapper(), index, number ? sizeof(double) : kDateTextLength);
        status.throwIfFailed();
    });
}

struct Column {
    unsigned type, offset, nullOffset, length;
};

std::vector<Column> columnsOf(IMessageMetadata* metadata) {
    Status status;
    std::vector<Column> columns;
    const unsigned count = metadata->getCount(status.wrapper());
    for (unsigned index = 0; index < count; ++index)
        columns.push_back({metadata->getType(status.wrapper(), index) & ~1u,
                           metadata->getOffset(status.wrapper(), index),
                           metadata->getNullOffset(status.wrapper(), index),
                           metadata->getLength(status.wrapper(), index)});
    status.throwIfFailed();
    return columns;
}

// The interfaces a reading holds, released however it ends.
struct Held {
    Firebird::IAttachment* attachment = nullptr;
    Firebird::ITransaction* transaction = nullptr;
    Firebird::IStatement* statement = nullptr;
    Firebird::IResultSet* cursor = nullptr;
    IMessageMetadata* input = nullptr;
    IMessageMetadata* output = nullptr;

    ~Held() {
        for (Firebird::IReferenceCounted* held :
             std::initializer_list<Firebird::IReferenceCounted*>{cursor, statement, input, output})
            if (held)
                held->release();
        Status status;
        if (transaction) {
            transaction->rollback(status.wrapper());
            if (status.failed())
                transaction->release();
        }
        if (attachment) {
            Status detach;
            attachment->detach(detach.wrapper());
            if (detach.failed())
                attachment->release();
        }
    }
};

}  // namespace

struct Row::Reading {
    Firebird::IAttachment* attachment;
    Firebird::ITransaction* transaction;
    std::vector<Column> columns;
    std::vector<unsigned char> message;
};

bool Row::isNull(int column) const {
    return *reinterpret_cast<const short*>(&reading_.message[reading_.columns[column].nullOffset]);
}

QByteArrayView Row::text(int column) const {
    const Column& described = reading_.columns[column];
    const unsigned char* field = &reading_.message[described.offset];
    if (described.type == SQL_VARYING)
        return {reinterpret_cast<const char*>(field + 2),
                *reinterpret_cast<const unsigned short*>(field)};
    return {reinterpret_cast<const char*>(field), qsizetype(described.length)};
}

double Row::number(int column) const {
    double value = 0;
    std::memcpy(&value, &reading_.message[reading_.columns[column].offset], sizeof value);
    return value;
}

QByteArray Row::blob(int column) const {
    ISC_QUAD id;
    std::memcpy(&id, &reading_.message[reading_.columns[column].offset], sizeof id);
    Status status;
    Firebird::IBlob* blob =
        reading_.attachment->openBlob(status.wrapper(), reading_.transaction, &id, 0, nullptr);
    status.throwIfFailed();
    QByteArray bytes;
    char segment[32768];
    for (;;) {
        unsigned length = 0;
        const int result = blob->getSegment(status.wrapper(), sizeof segment, segment, &length);
        if (result != Firebird::IStatus::RESULT_OK && result != Firebird::IStatus::RESULT_SEGMENT)
            break;
        bytes.append(segment, length);
    }
    if (status.failed()) {
        blob->release();
        status.throwIfFailed();
    }
    blob->close(status.wrapper());
    status.throwIfFailed();
    return bytes;
}

void forEachRow(const QString& path, const Account& account, const QString& sql,
                const QVariantList& parameters, const std::function<void(const Row&)>& row) {
    Held held;
    Status status;
    {
        ParameterBlock block;
        block.addAccount(account);
        Firebird::IProvider* provider = master()->getDispatcher();
        held.attachment = provider->attachDatabase(status.wrapper(), path.toUtf8().constData(),
                                                   block.length(), block.buffer());
        provider->release();
        status.throwIfFailed();
    }
    held.transaction = held.attachment->startTransaction(status.wrapper(), 0, nullptr);
    status.throwIfFailed();
    const QByteArray text = sql.toUtf8();
    held.statement =
        held.attachment->prepare(status.wrapper(), held.transaction, text.size(), text.constData(),
                                 3, Firebird::IStatement::PREPARE_PREFETCH_METADATA);
    status.throwIfFailed();

    std::vector<QByteArray> texts;
    for (const QVariant& value : parameters)
        texts.push_back(parameterText(value));
    IMessageMetadata* described = held.statement->getInputMetadata(status.wrapper());
    status.throwIfFailed();
    const unsigned expected = described->getCount(status.wrapper());
    if (expected != texts.size()) {
        described->release();
        throw DatabaseError(QStringLiteral("The statement takes %1 values, not %2.")
                                .arg(expected)
                                .arg(texts.size()));
    }
    held.input = textParameters(described, texts);
    described->release();
    described = held.statement->getOutputMetadata(status.wrapper());
    status.throwIfFailed();
    held.output = readableColumns(described);
    described->release();

    std::vector<unsigned char> in(held.input->getMessageLength(status.wrapper()));
    const std::vector<Column> inColumns = columnsOf(held.input);
    for (std::size_t index = 0; index < inColumns.size(); ++index) {
        const Column& column = inColumns[index];
        const short null = parameters[qsizetype(index)].isNull() ? -1 : 0;
        const unsigned short length = static_cast<unsigned short>(texts[index].size());
        std::memcpy(&in[column.nullOffset], &null, sizeof null);
        std::memcpy(&in[column.offset], &length, sizeof length);
        std::memcpy(&in[column.offset + 2], texts[index].constData(), length);
    }
    held.cursor = held.statement->openCursor(status.wrapper(), held.transaction, held.input,
                                             in.data(), held.output, 0);
    status.throwIfFailed();

    Row::Reading reading{held.attachment, held.transaction, columnsOf(held.output), {}};
    reading.message.resize(held.output->getMessageLength(status.wrapper()));
    const Row current(reading);
    while (held.cursor->fetchNext(status.wrapper(), reading.message.data()) ==
           Firebird::IStatus::RESULT_OK)
        row(current);
    status.throwIfFailed();
    held.cursor->close(status.wrapper());
    status.throwIfFailed();
    held.cursor = nullptr;
    held.transaction->commit(status.wrapper());
    status.throwIfFailed();
    held.transaction = nullptr;
}

}  // namespace fb
