// The tool's own document format: JSON, lossless for everything the host models.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "simhost/Document.h"

namespace quibtool {

// Parses a document. `source` names the file in messages. Throws ToolError (bad
// document) with line and column for malformed JSON and with the path of the value
// ("art[0].mesh.vertices[3].anchor") for content the host cannot hold.
simhost::Document ReadDocumentJson(const std::string& text, const std::string& source);

// The document as indented JSON with a final newline. Reals are written with the
// shortest text that reads back to the same 32-bit value.
std::string WriteDocumentJson(const simhost::Document& doc);

// JSON numbers of records and documents: the shortest text of a 32-bit real.
double ShortestDouble(float value);

// Parses JSON text; malformed text throws ToolError with `status`, naming the source, the
// line and column and the parser's reason.
nlohmann::json ParseJson(const std::string& text, const std::string& source, int status);

// "line L, column C" of a byte offset in a text.
std::string LineColumn(const std::string& text, size_t offset);

}  // namespace quibtool
