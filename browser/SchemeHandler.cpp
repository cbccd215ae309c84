#include "SchemeHandler.h"

SchemeHandler::SchemeHandler(std::string body, QObject* parent)
    : QIODevice(parent), m_reader(std::move(body))
{
    open(QIODevice::ReadOnly);
}

qint64 SchemeHandler::bytesAvailable() const
{
    return static_cast<qint64>(m_reader.Remaining()) + QIODevice::bytesAvailable();
}

qint64 SchemeHandler::readData(char* data, qint64 maxSize)
{
    if (maxSize <= 0)
        return 0;
    size_t read = 0;
    if (!m_reader.Read(data, static_cast<size_t>(maxSize), read))
        return -1; // the end of the body
    return static_cast<qint64>(read);
}
