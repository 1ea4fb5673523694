// The host's filter commands: a dialog's previews and the Go that directly follows the
// accepted dialog are one command, so one undo takes the whole use of the filter back.
#include <cstring>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "simhost/DocumentBuilder.h"

namespace {

using quibtest::HostFixture;
namespace user = simhost::user;

bool SameVertices(const std::vector<simhost::MeshVertex>& a,
                  const std::vector<simhost::MeshVertex>& b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof a[0]) == 0;
}

struct CommandCase {
  const char* name;
  bool messageBetween;    // another message comes between the dialog and the Go
  bool undoTakesAllBack;  // after the Go, undo restores the document from before the dialog
};

const CommandCase kCommandCases[] = {
    {"GoRightAfterTheDialog", false, true},
    {"GoAfterAnotherMessage", true, false},
};

class FilterCommandTest : public HostFixture, public ::testing::WithParamInterface<CommandCase> {};

TEST_P(FilterCommandTest, GoContinuesTheDialogsCommandOnlyRightAfterIt) {
  const CommandCase& c = GetParam();
  simhost::MeshSpec(2, 2).Color(simhost::Gray(0.1f)).Add(host().document.doc);
  const std::vector<simhost::MeshVertex> before = host().document.doc.art[0].mesh.vertices;

  // A preview with channel 1 changed, then OK: the preview stays in the document.
  host().dialogs.QueueScript("Quib_Mesh", {user::Check(3, true), user::Set(4, 80), user::Accept()});
  ASSERT_EQ(host().Send("AI Filter", "AI Get Parameters"), kHostNoErr);
  const std::vector<simhost::MeshVertex> previewed = host().document.doc.art[0].mesh.vertices;
  ASSERT_FALSE(SameVertices(previewed, before)) << "the dialog showed no preview";

  if (c.messageBetween) {
    ASSERT_EQ(host().Send("AI Menu", "AI Update"), kHostNoErr);
  }
  ASSERT_EQ(host().Send("AI Filter", "AI Go"), kHostNoErr);
  ASSERT_TRUE(SameVertices(host().document.doc.art[0].mesh.vertices, previewed))
      << "the Go keeps the shown preview";

  host().document.UndoChanges();
  EXPECT_EQ(SameVertices(host().document.doc.art[0].mesh.vertices, before), c.undoTakesAllBack);
}

INSTANTIATE_TEST_SUITE_P(Messages, FilterCommandTest, ::testing::ValuesIn(kCommandCases),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
