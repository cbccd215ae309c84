#include "SettingsFile.h"

#include "common/TextCodec.h"
#include "platform/AtomicFile.h"

#include <rapidxml/rapidxml.hpp>

#include <fstream>
#include <vector>

namespace SettingsFile {
namespace {

using StringField = std::u16string Settings::*;
using IntField = int32_t Settings::*;

// Elements in the order the file lists them.
struct FieldRow
{
    const char* name;
    StringField text;
    IntField number;
};

constexpr FieldRow kFileOrder[] = {
    {"NetLink", &Settings::NetLink, nullptr}, {"Printer", &Settings::Printer, nullptr},
    {"Drive", &Settings::Drive, nullptr},     {"NetApp", &Settings::NetApp, nullptr},
    {"UseOrvBrowser", nullptr, &Settings::UseOrvBrowser}, {"XPos", nullptr, &Settings::XPos},
    {"YPos", nullptr, &Settings::YPos},       {"Width", nullptr, &Settings::Width},
    {"Height", nullptr, &Settings::Height},   {"MinXPos", nullptr, &Settings::MinXPos},
    {"MinYPos", nullptr, &Settings::MinYPos},
};

} // namespace

std::string Write(const Settings& settings)
{
    std::u16string text = u"<root>";
    for (const FieldRow& row : kFileOrder) {
        std::u16string name = TextCodec::Utf8ToUtf16(row.name);
        text += u"<" + name + u">";
        text += row.text != nullptr ? settings.*row.text
                                    : TextCodec::Utf8ToUtf16(std::to_string(settings.*row.number));
        text += u"</" + name + u">";
    }
    text += u"</root>";
    return TextCodec::Utf16ToAnsi(text);
}

void Read(std::string_view bytes, Settings& settings)
{
    std::vector<char> buffer(bytes.begin(), bytes.end());
    buffer.push_back('\0');
    try {
        rapidxml::xml_document<> document;
        document.parse<0>(buffer.data());
        rapidxml::xml_node<>* root = document.first_node();
        if (root == nullptr)
            return;
        for (const FieldRow& row : kFileOrder) {
            rapidxml::xml_node<>* node = root->first_node(row.name);
            if (node == nullptr)
                continue;
            std::string value(node->value(), node->value_size());
            if (row.text != nullptr)
                settings.*row.text = TextCodec::AnsiToUtf16(value);
            else
                settings.*row.number = std::stoi(value);
        }
    } catch (const std::exception&) {
        // A malformed document or an unusable number: keep what was read so far.
    }
}

void Load(const std::string& path, Settings& settings)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return;
    std::vector<char> bytes(kMaxFileSize + 1);
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    size_t length = static_cast<size_t>(file.gcount());
    if (length > kMaxFileSize)
        return;
    Read(std::string_view(bytes.data(), length), settings);
}

bool Save(const std::string& path, const Settings& settings)
{
    return platform::ReplaceFileContents(path, Write(settings));
}

} // namespace SettingsFile
