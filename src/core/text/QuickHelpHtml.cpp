#include "core/text/QuickHelpHtml.h"

namespace kestrel {

namespace {

std::string escapedCode(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '&') out += "&amp;";
        else if (c == '<') out += "&lt;";
        else if (c == '>') out += "&gt;";
        else out += c;
    }
    return out;
}

std::string paragraph(std::string_view text) { return "<p>" + QuickHelpHtml::escape(text) + "</p>"; }

std::string itemsTable(const char* title, const std::vector<DocComment::Item>& items) {
    if (items.empty()) return {};
    std::string html = std::string("<p><b>") + title + "</b></p><table cellspacing=\"0\" cellpadding=\"2\">";
    for (const DocComment::Item& item : items)
        html += "<tr><td style=\"padding-left:8px; padding-right:8px\"><i>" + QuickHelpHtml::escape(item.name) +
                "</i></td><td>" + QuickHelpHtml::escape(item.text) + "</td></tr>";
    return html + "</table>";
}

std::string blocks(const std::vector<DocComment::Block>& list) {
    using Kind = DocComment::BlockKind;
    std::string html;
    std::string openList;  // "ul" or "ol" while items run
    for (const DocComment::Block& block : list) {
        const char* wanted = block.kind == Kind::Bullet ? "ul" : block.kind == Kind::Numbered ? "ol" : "";
        if (openList != wanted) {
            if (!openList.empty()) html += "</" + openList + ">";
            openList = wanted;
            if (!openList.empty()) html += "<" + openList + ">";
        }
        switch (block.kind) {
            case Kind::Paragraph: html += paragraph(block.text); break;
            case Kind::Code: html += "<pre>" + escapedCode(block.text) + "</pre>"; break;
            case Kind::Bullet:
            case Kind::Numbered: html += "<li>" + QuickHelpHtml::escape(block.text) + "</li>"; break;
            case Kind::Term: html += "<p><b>" + QuickHelpHtml::escape(block.text) + "</b></p>"; break;
            case Kind::Definition:
                html += "<p style=\"margin-left:16px\">" + QuickHelpHtml::escape(block.text) + "</p>";
                break;
            case Kind::Labelled:
                html += "<p><b>" + QuickHelpHtml::escape(block.label) + ":</b> " + QuickHelpHtml::escape(block.text) +
                        "</p>";
                break;
        }
    }
    if (!openList.empty()) html += "</" + openList + ">";
    return html;
}

}  // namespace

std::string QuickHelpHtml::escape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\n': out += "<br/>"; break;
            default: out += c;
        }
    }
    return out;
}

std::string QuickHelpHtml::placeholder(std::string_view text, const Style& style) {
    return "<p style=\"color:" + style.dim + "\">" + escape(text) + "</p>";
}

std::string QuickHelpHtml::render(const QuickHelpText::Content& content, const Style& style) {
    std::string html;
    const DocComment& doc = content.doc;
    if (doc.empty()) {
        html += placeholder("No documentation comment in the header.", style);
    } else {
        if (!content.docFrom.empty()) html += placeholder("From " + content.docFrom + ":", style);
        if (!doc.brief.empty()) html += paragraph(doc.brief);
        html += blocks(doc.blocks);
        html += itemsTable("Parameters", doc.parameters);
        html += itemsTable("Constants", doc.constants);
        html += itemsTable("Fields", doc.fields);
        if (!doc.returns.empty()) html += "<p><b>Returns:</b> " + escape(doc.returns) + "</p>";
        html += itemsTable("Throws", doc.throws);
        if (!doc.seeAlso.empty()) {
            std::string joined;
            for (const std::string& name : doc.seeAlso) joined += (joined.empty() ? "" : ", ") + name;
            html += "<p><b>See also:</b> " + escape(joined) + "</p>";
        }
    }
    if (!content.availability.empty()) {
        html += "<p>";
        bool first = true;
        for (const QuickHelpText::Line& line : content.availability) {
            if (!first) html += "<br/>";
            first = false;
            if (line.warning)
                html += "<span style=\"color:" + style.warning + "\">" + escape(line.text) + "</span>";
            else
                html += escape(line.text);
        }
        html += "</p>";
    }
    if (content.hasPlace())
        html += "<p>Declared in <a href=\"" + std::string(placeLink) + "\">" + escape(content.placeText()) + "</a></p>";
    return html;
}

}  // namespace kestrel
