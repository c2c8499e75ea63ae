#include "console/CommandLine.h"

#include "text/Text.h"

namespace varnok::console {

namespace {

// A value's character as typed: never one that ends the command or opens a
// quoted span.
char harmless(char c) {
    if (c == ';') return ',';
    if (c == '"') return '\'';
    return c;
}

}  // namespace

CommandLine::CommandLine(std::string_view own) {
    append({std::string(own), false});
}

CommandLine::CommandLine(Outside value) {
    append({std::move(value.value), true});
}

void CommandLine::append(Piece piece) {
    if (piece.text.empty()) return;
    if (!pieces_.empty() && pieces_.back().outside == piece.outside)
        pieces_.back().text += piece.text;
    else
        pieces_.push_back(std::move(piece));
}

CommandLine& CommandLine::operator+=(const CommandLine& more) {
    for (const Piece& piece : more.pieces_) append(piece);
    return *this;
}

CommandLine CommandLine::filled(std::string_view placeholder, std::string_view value) const {
    CommandLine line;
    for (const Piece& piece : pieces_) {
        std::size_t from = 0;
        for (std::size_t at = text::findNoCase(piece.text, placeholder);
             !placeholder.empty() && at != std::string::npos;
             at = text::findNoCase(piece.text, placeholder, from)) {
            line.append({piece.text.substr(from, at - from), piece.outside});
            line.append({std::string(value), true});
            from = at + placeholder.size();
        }
        line.append({piece.text.substr(from), piece.outside});
    }
    return line;
}

// A "/" a value brings next to another "/" gets a blank between them, so no
// comment starts there, inside the value or at its edges.
std::string CommandLine::text() const {
    std::string typed;
    bool lastFromOutside = false;
    for (const Piece& piece : pieces_) {
        for (const char c : piece.text) {
            const bool slashes = c == '/' && !typed.empty() && typed.back() == '/';
            if (slashes && (piece.outside || lastFromOutside)) typed += ' ';
            typed += piece.outside ? harmless(c) : c;
            lastFromOutside = piece.outside;
        }
    }
    return typed;
}

bool CommandLine::beginsWith(std::string_view own) const {
    return !pieces_.empty() && !pieces_.front().outside &&
           text::beginsWith(pieces_.front().text, own);
}

CommandLine operator+(CommandLine line, const CommandLine& more) {
    return line += more;
}

CommandLine operator+(CommandLine line, const char* own) {
    return line += CommandLine(own);
}

CommandLine operator+(CommandLine line, const Outside& value) {
    return line += CommandLine(value);
}

}  // namespace varnok::console
