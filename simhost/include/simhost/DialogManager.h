// The host's dialog manager: modal dialogs from the module's templates, items created in
// code, scripts of user actions, and a record of what the user was shown.
#pragma once

namespace simhost {

class DialogManager {
 public:
};

}  // namespace simhost
