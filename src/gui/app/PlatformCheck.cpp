#include "gui/app/PlatformCheck.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QLibraryInfo>
#include <QPluginLoader>
#include <algorithm>
#include <cstdlib>

namespace kestrel::gui {

namespace {

// The value of a Qt option ("-platform xcb"; Qt takes "--platform" alike).
std::optional<std::string> optionValue(const std::vector<std::string>& args, const std::string& name) {
    std::optional<std::string> value;
    for (std::size_t i = 1; i + 1 < args.size(); ++i)
        if (args[i] == "-" + name || args[i] == "--" + name) value = args[i + 1];
    return value;
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(separator, start)) != std::string::npos; start = end + 1)
        parts.push_back(text.substr(start, end - start));
    parts.push_back(text.substr(start));
    return parts;
}

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

}  // namespace

std::optional<PlatformCheck::Request> PlatformCheck::requested(const std::vector<std::string>& args) {
    Request request;
    std::optional<std::string> text = optionValue(args, "platform");
    request.byArgument = text.has_value();
    if (!text) {
        const char* env = std::getenv("QT_QPA_PLATFORM");
        if (!env || !*env) return std::nullopt;
        text = env;
    }
    for (const std::string& entry : split(*text, ';')) {
        const std::string name = lower(entry.substr(0, entry.find(':')));  // "xcb:option=1"
        if (!name.empty()) request.names.push_back(name);
    }
    if (request.names.empty()) return std::nullopt;
    return request;
}

std::vector<std::string> PlatformCheck::available(const std::vector<std::string>& args) {
    QStringList folders;
    if (std::optional<std::string> given = optionValue(args, "platformpluginpath")) folders << QString::fromStdString(*given);
    if (const char* env = std::getenv("QT_QPA_PLATFORM_PLUGIN_PATH"); env && *env) folders << QString::fromLocal8Bit(env);
    if (const char* env = std::getenv("QT_PLUGIN_PATH"); env && *env)
        for (const QString& folder : QString::fromLocal8Bit(env).split(QDir::listSeparator(), Qt::SkipEmptyParts))
            folders << folder + QStringLiteral("/platforms");
    folders << QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms");
    std::vector<std::string> keys;
    for (const QString& folder : folders) {
        const QDir dir(folder);
        for (const QString& file : dir.entryList(QDir::Files)) {
            // The plugin's own description names its platforms; nothing of it is run.
            const QJsonObject meta = QPluginLoader(dir.filePath(file)).metaData().value(QStringLiteral("MetaData")).toObject();
            for (const auto& key : meta.value(QStringLiteral("Keys")).toArray())
                keys.push_back(lower(key.toString().toStdString()));
        }
    }
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    return keys;
}

std::optional<std::string> PlatformCheck::problem(const std::vector<std::string>& args) {
    const std::optional<Request> request = requested(args);
    if (!request) return std::nullopt;
    const std::vector<std::string> there = available(args);
    for (const std::string& name : request->names)
        if (std::binary_search(there.begin(), there.end(), name)) return std::nullopt;
    std::string names, list;
    for (const std::string& name : request->names) names += (names.empty() ? "" : "\" or \"") + name;
    for (const std::string& key : there) list += (list.empty() ? "" : ", ") + key;
    return "Qt has no platform named \"" + names + "\" (asked for by " +
           (request->byArgument ? std::string("-platform") : std::string("QT_QPA_PLATFORM")) + "); the platforms here are: " +
           (list.empty() ? std::string("none") : list);
}

}  // namespace kestrel::gui
