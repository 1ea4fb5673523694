// The current document and the drawing services over it: art, meshes, bounds,
// transforms, blending, undo, random numbers and the view.
//
// Every change the module makes through the suites goes through the Change... methods
// below: they journal the old value (so UndoChanges can take it back bit for bit) and
// keep each mesh's bounds current in O(log n), so a run that asks for the bounds once
// per vertex stays linear. Tests and tools may edit `doc` directly between messages;
// the host drops its derived state (bounds indexes, vertex references) at the end of
// every message and at the start of every filter command.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "simhost/Document.h"

namespace simhost {

// The Random Suite's numbers: a fixed, portable PCG generator (the same seed gives the
// same document on every platform), or a script of exact draws for tests.
class RandomSource {
 public:
  RandomSource() { Seed(1); }
  // Restarts the generator; also drops any script.
  void Seed(uint64_t seed);
  // The next draws, in order; once they are used up the seeded generator answers again
  // and the source records that the script ran out.
  void Script(std::vector<float> draws);
  HostReal Next();

  // Draws made since the last Seed or Script.
  uint64_t Draws() const { return draws_; }
  // Whether a script ran out, and after how many draws it did.
  bool Exhausted() const { return exhausted_; }
  uint64_t ExhaustedAfter() const { return exhaustedAfter_; }

 private:
  uint32_t NextBits();
  uint64_t state_ = 0;
  std::vector<float> script_;
  size_t scriptNext_ = 0;
  bool scripted_ = false;
  uint64_t draws_ = 0;
  bool exhausted_ = false;
  uint64_t exhaustedAfter_ = 0;
};

// Where a live vertex reference points.
struct VertexHandle {
  size_t art = 0;
  int32_t i = 0;
  int32_t j = 0;
  bool released = false;
};

// Exact bounds of a mesh's Bezier edges, kept in a tree over the edges so a change of
// one vertex updates the whole object's bounds in O(log n).
class MeshBoundsIndex;

class DocumentHost {
 public:
  DocumentHost();
  ~DocumentHost();
  DocumentHost(const DocumentHost&) = delete;
  DocumentHost& operator=(const DocumentHost&) = delete;

  Document doc;
  RandomSource random;
  int redraws = 0;  // Document Suite RedrawDocument calls

  // Starts a new filter command: an empty journal. UndoChanges takes back, in reverse
  // order, every change journalled since then.
  void BeginFilterCommand();
  void UndoChanges();
  size_t JournalSize() const { return journal_.size(); }

  // Called by the host after PluginMain returns: records a breach for every vertex
  // reference the message left unreleased, and forgets all references and indexes.
  void CheckAfterMessage();
  size_t LiveVertexReferences() const;

  // References the suites hand out: small numbers, validated on every use.
  static HostArtRef ArtRef(size_t index);
  // The art behind a reference, or null after recording a breach naming `operation`.
  ArtObject* FindArt(HostArtRef ref, const char* operation, size_t* index = nullptr);
  HostMeshVertexRef NewVertexRef(size_t art, int32_t i, int32_t j);
  // The vertex behind a live reference, or null after recording a breach.
  VertexHandle* FindVertex(HostMeshVertexRef ref, const char* operation);
  MeshVertex& VertexAt(const VertexHandle& handle) {
    return doc.art[handle.art].mesh.At(handle.i, handle.j);
  }

  // The exact bounds of an art object (every Bezier edge of a mesh).
  HostRealRect Bounds(size_t art);

  // Journalled changes.
  void ChangeColor(const VertexHandle& at, const HostColor& color);
  void ChangeAnchor(const VertexHandle& at, HostRealPoint point);
  void ChangeTangent(const VertexHandle& at, int32_t slot, HostRealPoint point);
  void ChangeSmooth(const VertexHandle& at, int32_t slot, bool smooth);
  void ChangeOpacity(size_t art, HostReal opacity);
  void ChangeBlendMode(size_t art, int32_t mode);
  void Transform(size_t art, const HostRealMatrix& matrix);

 private:
  struct Change {
    enum class Kind : uint8_t { kColor, kAnchor, kTangent, kSmooth, kOpacity, kBlend, kGeometry };
    Kind kind;
    uint32_t art;
    int32_t i, j, slot;
    HostColor color;      // kColor
    HostRealPoint point;  // kAnchor, kTangent
    bool smooth;          // kSmooth
    HostReal opacity;     // kOpacity
    int32_t blendMode;    // kBlend
    size_t snapshot;      // kGeometry: index into snapshots_
  };
  struct GeometrySnapshot {
    std::vector<MeshVertex> vertices;
    HostRealRect otherBounds;
  };
  Change& Journal(Change::Kind kind, size_t art);
  MeshBoundsIndex* IndexFor(size_t art);  // null for art that is not a mesh
  void VertexMoved(size_t art, int32_t i, int32_t j);
  void TangentMoved(size_t art, int32_t i, int32_t j, int32_t slot);
  void DropIndexes();

  std::vector<Change> journal_;
  std::vector<GeometrySnapshot> snapshots_;
  std::vector<VertexHandle> vertexRefs_;  // reference n is vertexRefs_[n - 1]
  // By art index, built lazily; a stale index is rebuilt in its own memory.
  std::vector<std::unique_ptr<MeshBoundsIndex>> indexes_;
  std::vector<bool> indexFresh_;
};

// Exact bounds of a cubic Bezier curve from p0 to p3 with control points p1, p2.
HostRealRect BezierBounds(HostRealPoint p0, HostRealPoint p1, HostRealPoint p2, HostRealPoint p3);
// Exact bounds of an art object computed from scratch (meshes: every edge).
HostRealRect ComputeArtBounds(const ArtObject& art);

}  // namespace simhost
