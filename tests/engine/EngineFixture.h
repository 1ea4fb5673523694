// What the engine's behaviour tests share: a started module on a fresh host, a record
// that changes nothing, and Go messages carrying a record the test wrote.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "MeshParams.h"
#include "TestSupport.h"
#include "simhost/DocumentBuilder.h"

namespace enginetest {

// A record under which a Go leaves every mesh exactly as it was: no colour amount, no
// displacement, no interpolation toward the target, an identity transform.
inline MeshParams NeutralParams() {
  MeshParams p;
  std::memset(&p, 0, sizeof p);
  p.interpolation = 100;
  p.scaleX = p.scaleY = 100;
  p.brightness = 100;
  p.colorNodeFactorI = p.colorNodeFactorJ = 100;
  p.pointNodeFactorI = p.pointNodeFactorJ = 100;
  p.page = 1;
  p.colorMode = 0;
  p.colorOperation = 0;
  p.pointMode = 11;  // shift by the jitter amounts, which are 0
  p.tangentMode = 0;
  p.isolateNodeI = p.isolateNodeJ = -1;
  p.viewZoom = 100;
  return p;
}

// Names parameterised cases after their `name` field.
struct CaseName {
  template <class Case>
  std::string operator()(const ::testing::TestParamInfo<Case>& param) const {
    return param.param.name;
  }
};

// Whether two vertex lists are the same bit for bit.
inline bool SameVertices(const std::vector<simhost::MeshVertex>& a,
                         const std::vector<simhost::MeshVertex>& b) {
  return a.size() == b.size() &&
         (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof a[0]) == 0);
}

inline std::vector<uint8_t> Bytes(const MeshParams& p) {
  const uint8_t* raw = reinterpret_cast<const uint8_t*>(&p);
  return std::vector<uint8_t>(raw, raw + sizeof p);
}

class EngineTest : public quibtest::HostFixture {
 protected:
  simhost::Document& doc() { return host().document.doc; }
  simhost::Mesh& mesh(size_t n) { return doc().art[n].mesh; }
  simhost::MeshVertex& vertex(size_t n, int32_t i, int32_t j) { return mesh(n).At(i, j); }

  // Sends "AI Filter"/"AI Go" with this record kept for the filter.
  HostErr Go(const MeshParams& params) {
    host().SetParameterBytes(Bytes(params));
    return host().Send(kCallerFilter, kSelectorGo);
  }
  // The record the host keeps after the message.
  MeshParams Kept() {
    MeshParams p;
    std::vector<uint8_t> bytes = host().ParameterBytes();
    EXPECT_EQ(bytes.size(), sizeof p);
    std::memcpy(&p, bytes.data(), sizeof p);
    return p;
  }
  void Draws(std::vector<float> draws) { host().document.random.Script(std::move(draws)); }
  // Fails the test when the run asked for more draws than the script held.
  void ExpectScriptSufficed() {
    EXPECT_FALSE(host().document.random.Exhausted())
        << "the script ran out after " << host().document.random.ExhaustedAfter() << " draws";
  }
};

}  // namespace enginetest
