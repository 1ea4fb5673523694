// The document suites, published in families by PublishDocumentSuites.
#pragma once

#include "simhost/Registry.h"

namespace simhost {

void PublishArtSuites(SuiteRegistry& registry);   // Matching Art, Art, Transform, Blend, Path...
void PublishMeshSuites(SuiteRegistry& registry);  // Mesh, Mesh Vertex
void PublishMathSuites(SuiteRegistry& registry);  // Real Math, Random

}  // namespace simhost
