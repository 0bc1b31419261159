#include "gui/app/PrefFonts.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <memory>
#include <optional>

#include "core/platform/ProcessState.h"
#include "core/platform/TextMeasure.h"

namespace kestrel::gui {

QFont PrefFonts::font(const PrefFont& pref) {
    QFont font = QGuiApplication::font();
    if (!pref.name.empty()) {
        const QString family = QString::fromStdString(pref.name);
        if (QFontDatabase::hasFamily(family)) font = QFont(family);
    }
    if (pref.pointSize > 0) font.setPointSizeF(pref.pointSize);
    return font;
}

QFont PrefFonts::currentFont() {
    const std::shared_ptr<PrefData>& pref = ProcessState::prefData();
    return pref ? font(pref->getFont()) : QGuiApplication::font();
}

void PrefFonts::installMeasure() {
    // The metrics of the last font asked for, made again only when the preference changes.
    struct Cache {
        std::optional<PrefFont> font;
        std::optional<QFontMetricsF> metrics;
    };
    auto cache = std::make_shared<Cache>();
    TextMeasure::setFunction([cache](std::string_view text) {
        const std::shared_ptr<PrefData>& pref = ProcessState::prefData();
        const PrefFont wanted = pref ? pref->getFont() : PrefFont{};
        if (!cache->font || *cache->font != wanted) {
            cache->font = wanted;
            cache->metrics.emplace(font(wanted));
        }
        return cache->metrics->horizontalAdvance(
            QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    });
}

void PrefFonts::uninstallMeasure() { TextMeasure::setFunction(nullptr); }

}  // namespace kestrel::gui
