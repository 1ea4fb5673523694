// The document suites, published in families by PublishDocumentSuites.
#pragma once

#include "simhost/Registry.h"
#include "simhost/SimHost.h"

namespace simhost {

// A required pointer argument was null: a breach of the contract, refused.
inline HostErr NullArgument(const char* operation) {
  Host().suites.RecordBreach("null argument", operation);
  return kHostBadParameterErr;
}

void PublishArtSuites(SuiteRegistry& registry);   // Matching Art, Art, Transform, Blend, Path...
void PublishMeshSuites(SuiteRegistry& registry);  // Mesh, Mesh Vertex
void PublishMathSuites(SuiteRegistry& registry);  // Real Math, Random

}  // namespace simhost
