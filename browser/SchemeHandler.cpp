#include "SchemeHandler.h"

SchemeHandler::SchemeHandler(std::string body, QObject* parent)
    : QIODevice(parent), m_remaining(static_cast<qint64>(body.size())), m_reader(std::move(body))
{
    open(QIODevice::ReadOnly);
}

qint64 SchemeHandler::bytesAvailable() const
{
    return m_remaining + QIODevice::bytesAvailable();
}

qint64 SchemeHandler::readData(char* data, qint64 maxSize)
{
    size_t read = 0;
    if (maxSize <= 0 || !m_reader.Read(data, static_cast<size_t>(maxSize), read))
        return -1; // the end of the body
    m_remaining -= static_cast<qint64>(read);
    return static_cast<qint64>(read);
}
