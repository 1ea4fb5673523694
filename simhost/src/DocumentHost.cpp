#include "simhost/DocumentHost.h"

#include <algorithm>
#include <string>

#include "DocumentBounds.h"
#include "simhost/SimHost.h"

namespace simhost {

// --- Random numbers -------------------------------------------------------------------

void RandomSource::Seed(uint64_t seed) {
  state_ = 0;
  NextBits();
  state_ += seed;
  NextBits();
  script_.clear();
  scriptNext_ = 0;
  scripted_ = false;
  draws_ = 0;
  exhausted_ = false;
  exhaustedAfter_ = 0;
}

void RandomSource::Script(std::vector<float> draws) {
  script_ = std::move(draws);
  scriptNext_ = 0;
  scripted_ = true;
  draws_ = 0;
  exhausted_ = false;
  exhaustedAfter_ = 0;
}

// PCG-XSH-RR 64/32: small, fast and the same on every platform.
uint32_t RandomSource::NextBits() {
  uint64_t old = state_;
  state_ = old * 6364136223846793005ULL + 1442695040888963407ULL;
  uint32_t xorshifted = uint32_t(((old >> 18u) ^ old) >> 27u);
  uint32_t rot = uint32_t(old >> 59u);
  return (xorshifted >> rot) | (xorshifted << ((32u - rot) & 31u));
}

HostReal RandomSource::Next() {
  ++draws_;
  if (scripted_) {
    if (scriptNext_ < script_.size()) return script_[scriptNext_++];
    if (!exhausted_) {
      exhausted_ = true;
      exhaustedAfter_ = draws_ - 1;
    }
  }
  return float(NextBits() >> 8) * (1.0f / 16777216.0f);  // 24 bits: exactly in [0, 1)
}

// --- References -----------------------------------------------------------------------

DocumentHost::DocumentHost() = default;
DocumentHost::~DocumentHost() = default;

HostArtRef DocumentHost::ArtRef(size_t index) {
  return reinterpret_cast<HostArtRef>(uintptr_t(index) + 1);
}

ArtObject* DocumentHost::FindArt(HostArtRef ref, const char* operation, size_t* index) {
  uintptr_t n = reinterpret_cast<uintptr_t>(ref);
  if (n == 0 || n > doc.art.size()) {
    Host().suites.RecordBreach("unknown art reference",
                               std::string(operation) + " with " + std::to_string(n));
    return nullptr;
  }
  if (index) *index = n - 1;
  return &doc.art[n - 1];
}

HostMeshVertexRef DocumentHost::NewVertexRef(size_t art, int32_t i, int32_t j) {
  vertexRefs_.push_back(VertexHandle{art, i, j, false});
  return reinterpret_cast<HostMeshVertexRef>(uintptr_t(vertexRefs_.size()));
}

VertexHandle* DocumentHost::FindVertex(HostMeshVertexRef ref, const char* operation) {
  uintptr_t n = reinterpret_cast<uintptr_t>(ref);
  if (n == 0 || n > vertexRefs_.size()) {
    Host().suites.RecordBreach("unknown vertex reference",
                               std::string(operation) + " with " + std::to_string(n));
    return nullptr;
  }
  VertexHandle& handle = vertexRefs_[n - 1];
  if (handle.released) {
    Host().suites.RecordBreach("vertex reference used after release",
                               std::string(operation) + " on vertex (" + std::to_string(handle.i) +
                                   ", " + std::to_string(handle.j) + ")");
    return nullptr;
  }
  if (handle.art >= doc.art.size() || doc.art[handle.art].type != kHostArtTypeMesh) {
    Host().suites.RecordBreach("vertex of vanished art", operation);
    return nullptr;
  }
  return &handle;
}

size_t DocumentHost::LiveVertexReferences() const {
  size_t live = 0;
  for (const VertexHandle& handle : vertexRefs_) live += handle.released ? 0 : 1;
  return live;
}

void DocumentHost::CheckAfterMessage() {
  size_t live = LiveVertexReferences();
  if (live > 0) {
    for (const VertexHandle& handle : vertexRefs_) {
      if (handle.released) continue;
      Host().suites.RecordBreach("vertex reference never released",
                                 std::to_string(live) + " left, the first at (" +
                                     std::to_string(handle.i) + ", " + std::to_string(handle.j) +
                                     ")");
      break;
    }
  }
  vertexRefs_.clear();
  DropIndexes();
}

// --- Bounds ---------------------------------------------------------------------------

MeshBoundsIndex* DocumentHost::IndexFor(size_t art) {
  if (art >= doc.art.size() || doc.art[art].type != kHostArtTypeMesh) return nullptr;
  if (indexes_.size() < doc.art.size()) {
    indexes_.resize(doc.art.size());
    indexFresh_.resize(doc.art.size(), false);
  }
  std::unique_ptr<MeshBoundsIndex>& index = indexes_[art];
  const Mesh& mesh = doc.art[art].mesh;
  if (!index) {
    index = std::make_unique<MeshBoundsIndex>(mesh);
  } else if (!indexFresh_[art] || !index->Fits(mesh)) {
    index->Rebuild(mesh);
  }
  indexFresh_[art] = true;
  return index.get();
}

HostRealRect DocumentHost::Bounds(size_t art) {
  if (MeshBoundsIndex* index = IndexFor(art)) return index->Bounds();
  return doc.art[art].otherBounds;
}

void DocumentHost::VertexMoved(size_t art, int32_t i, int32_t j) {
  if (art < indexes_.size() && indexFresh_[art])
    indexes_[art]->AnchorMoved(doc.art[art].mesh, i, j);
}

void DocumentHost::TangentMoved(size_t art, int32_t i, int32_t j, int32_t slot) {
  if (art < indexes_.size() && indexFresh_[art]) {
    indexes_[art]->TangentMoved(doc.art[art].mesh, i, j, slot);
  }
}

void DocumentHost::DropIndexes() { indexFresh_.assign(indexFresh_.size(), false); }

// --- Journalled changes ---------------------------------------------------------------

DocumentHost::Change& DocumentHost::Journal(Change::Kind kind, size_t art) {
  journal_.push_back(Change{});
  Change& change = journal_.back();
  change.kind = kind;
  change.art = uint32_t(art);
  return change;
}

void DocumentHost::ChangeColor(const VertexHandle& at, const HostColor& color) {
  MeshVertex& vertex = VertexAt(at);
  Change& change = Journal(Change::Kind::kColor, at.art);
  change.i = at.i;
  change.j = at.j;
  change.color = vertex.color;
  vertex.color = color;
}

void DocumentHost::ChangeAnchor(const VertexHandle& at, HostRealPoint point) {
  MeshVertex& vertex = VertexAt(at);
  Change& change = Journal(Change::Kind::kAnchor, at.art);
  change.i = at.i;
  change.j = at.j;
  change.point = vertex.anchor;
  vertex.anchor = point;
  VertexMoved(at.art, at.i, at.j);
}

void DocumentHost::ChangeTangent(const VertexHandle& at, int32_t slot, HostRealPoint point) {
  MeshVertex& vertex = VertexAt(at);
  Change& change = Journal(Change::Kind::kTangent, at.art);
  change.i = at.i;
  change.j = at.j;
  change.slot = slot;
  change.point = vertex.tangent[size_t(slot)];
  vertex.tangent[size_t(slot)] = point;
  TangentMoved(at.art, at.i, at.j, slot);
}

void DocumentHost::ChangeSmooth(const VertexHandle& at, int32_t slot, bool smooth) {
  MeshVertex& vertex = VertexAt(at);
  Change& change = Journal(Change::Kind::kSmooth, at.art);
  change.i = at.i;
  change.j = at.j;
  change.slot = slot;
  change.smooth = vertex.smooth[size_t(slot)];
  vertex.smooth[size_t(slot)] = smooth;
}

void DocumentHost::ChangeOpacity(size_t art, HostReal opacity) {
  Journal(Change::Kind::kOpacity, art).opacity = doc.art[art].opacity;
  doc.art[art].opacity = opacity;
}

void DocumentHost::ChangeBlendMode(size_t art, int32_t mode) {
  Journal(Change::Kind::kBlend, art).blendMode = doc.art[art].blendMode;
  doc.art[art].blendMode = mode;
}

namespace {

HostRealPoint Apply(const HostRealMatrix& m, HostRealPoint p) {
  return HostRealPoint{float(double(m.a) * p.h + double(m.c) * p.v + m.tx),
                       float(double(m.b) * p.h + double(m.d) * p.v + m.ty)};
}

}  // namespace

void DocumentHost::Transform(size_t art, const HostRealMatrix& matrix) {
  ArtObject& object = doc.art[art];
  Journal(Change::Kind::kGeometry, art).snapshot = snapshots_.size();
  snapshots_.push_back(GeometrySnapshot{object.mesh.vertices, object.otherBounds});
  if (object.type == kHostArtTypeMesh) {
    for (MeshVertex& vertex : object.mesh.vertices) {
      vertex.anchor = Apply(matrix, vertex.anchor);
      for (HostRealPoint& tangent : vertex.tangent) tangent = Apply(matrix, tangent);
    }
    if (art < indexFresh_.size()) indexFresh_[art] = false;
  } else {
    // Other art is its bounding box: the box around the four transformed corners.
    const HostRealRect& b = object.otherBounds;
    HostRealPoint corners[4] = {Apply(matrix, {b.left, b.bottom}),
                                Apply(matrix, {b.right, b.bottom}), Apply(matrix, {b.left, b.top}),
                                Apply(matrix, {b.right, b.top})};
    HostRealRect box{corners[0].h, corners[0].v, corners[0].h, corners[0].v};
    for (const HostRealPoint& c : corners) {
      box.left = std::min(box.left, c.h);
      box.right = std::max(box.right, c.h);
      box.bottom = std::min(box.bottom, c.v);
      box.top = std::max(box.top, c.v);
    }
    object.otherBounds = box;
  }
}

void DocumentHost::BeginFilterCommand() {
  journal_.clear();
  snapshots_.clear();
  DropIndexes();
}

void DocumentHost::UndoChanges() {
  for (auto change = journal_.rbegin(); change != journal_.rend(); ++change) {
    ArtObject& object = doc.art[change->art];
    switch (change->kind) {
      case Change::Kind::kColor:
        object.mesh.At(change->i, change->j).color = change->color;
        break;
      case Change::Kind::kAnchor:
        object.mesh.At(change->i, change->j).anchor = change->point;
        break;
      case Change::Kind::kTangent:
        object.mesh.At(change->i, change->j).tangent[size_t(change->slot)] = change->point;
        break;
      case Change::Kind::kSmooth:
        object.mesh.At(change->i, change->j).smooth[size_t(change->slot)] = change->smooth;
        break;
      case Change::Kind::kOpacity:
        object.opacity = change->opacity;
        break;
      case Change::Kind::kBlend:
        object.blendMode = change->blendMode;
        break;
      case Change::Kind::kGeometry: {
        GeometrySnapshot& snapshot = snapshots_[change->snapshot];
        object.mesh.vertices = std::move(snapshot.vertices);
        object.otherBounds = snapshot.otherBounds;
        break;
      }
    }
  }
  journal_.clear();
  snapshots_.clear();
  DropIndexes();
}

}  // namespace simhost
