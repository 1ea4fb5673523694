// SVG 2 mesh gradients: every mesh gradient used as a fill becomes one mesh object, and
// the edited meshes are written back into the same SVG with every other element kept.
#pragma once

#include <memory>
#include <string>

#include "simhost/Document.h"

namespace quibtool {

struct SvgSource;  // the parsed file and where each mesh came from

struct SvgDocument {
  simhost::Document doc;
  std::shared_ptr<SvgSource> source;  // null for documents that did not come from SVG
};

// Reads the file's mesh gradients as RGB meshes in artwork coordinates (y up, the
// page from the root's viewBox). Throws ToolError for malformed XML (line, column),
// an SVG with no mesh gradient used as a fill, or a mesh it cannot read.
SvgDocument ReadSvg(const std::string& text, const std::string& sourceName);

// Writes the document: into the SVG it came from when there is one (meshes rewritten
// only where they changed), otherwise as a new SVG with one outlined shape per mesh.
std::string WriteSvg(const simhost::Document& doc, const SvgSource* source);

}  // namespace quibtool
