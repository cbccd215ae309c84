#pragma once

#include "SchemeContent.h"

#include <QIODevice>

// The body of one built-in page, handed to the engine in consecutive parts as it reads.
class SchemeHandler : public QIODevice
{
    Q_OBJECT
public:
    SchemeHandler(std::string body, QObject* parent);

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    SchemeContent::Reader m_reader;
};
