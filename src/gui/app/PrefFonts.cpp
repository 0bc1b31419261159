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
    auto metrics = [cache]() -> const QFontMetricsF& {
        const std::shared_ptr<PrefData>& pref = ProcessState::prefData();
        const PrefFont wanted = pref ? pref->getFont() : PrefFont{};
        if (!cache->font || *cache->font != wanted) {
            cache->font = wanted;
            cache->metrics.emplace(font(wanted));
        }
        return *cache->metrics;
    };
    TextMeasure::setFunction([metrics](std::string_view text) {
        return metrics().horizontalAdvance(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    });
    TextMeasure::setLineHeightFunction([metrics] { return metrics().height(); });
}

void PrefFonts::uninstallMeasure() {
    TextMeasure::setFunction(nullptr);
    TextMeasure::setLineHeightFunction(nullptr);
}

RowStyle PrefFonts::style(const TextAttributes& attributes, const QPalette& palette) {
    auto colour = [&](const std::optional<PrefColor>& c) -> std::optional<QColor> {
        if (!c) return std::nullopt;
        switch (c->role) {
            case PrefColor::Role::SelectedText: return palette.color(QPalette::Active, QPalette::HighlightedText);
            case PrefColor::Role::SelectedTextBackground: return palette.color(QPalette::Active, QPalette::Highlight);
            case PrefColor::Role::Fixed: break;
        }
        return QColor::fromRgbF(c->red, c->green, c->blue, c->alpha);
    };
    return RowStyle{font(attributes.font), colour(attributes.foreground), colour(attributes.background)};
}

RowStyle PrefFonts::currentStyle(Row row, const QPalette& palette) {
    if (row == Row::InactiveSelected) {
        RowStyle style = currentStyle(Row::Plain, palette);
        style.foreground = palette.color(QPalette::Inactive, QPalette::HighlightedText);
        style.background = palette.color(QPalette::Inactive, QPalette::Highlight);
        return style;
    }
    const std::shared_ptr<PrefData>& pref = ProcessState::prefData();
    if (!pref) {
        PrefData defaults;
        return style(row == Row::Plain ? defaults.getTextAttributes() : defaults.getSelectedTextAttributes(), palette);
    }
    return style(row == Row::Plain ? pref->getTextAttributes() : pref->getSelectedTextAttributes(), palette);
}

}  // namespace kestrel::gui
