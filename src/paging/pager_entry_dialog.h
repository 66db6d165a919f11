#pragma once

#include "app/base/dialog.h"
#include "app/base/shell.h"
#include "paging/pager_entry.h"

namespace bv::paging {

// Setup Pager Entry ("PAGER_ENTRY"): one entry of "pager.dat". The kind's
// radio buttons name the number "Pager#" or "Phone#" and enable the fields
// the kind uses. OK checks the name, the number, the access number and, for a
// telephone, the length of its dial string, in that order; a failure keeps
// the dialog open with the focus on the faulty field. The entry is written
// only on OK.
namespace pager_entry_dialog {
inline constexpr int kName = 1330;
inline constexpr int kNumeric = 1332;
inline constexpr int kAlphaNumeric = 1333;
inline constexpr int kTelephone = 1334;
inline constexpr int kNumberLabel = 1335;
inline constexpr int kNumber = 1336;
inline constexpr int kConnectDelay = 1338;
inline constexpr int kAccess = 1340;
inline constexpr int kAccessDelay = 1342;
inline constexpr int kBeeps = 1344;
inline constexpr int kQuietAnswer = 1345;
inline constexpr int kAdvanced = 1346;
} // namespace pager_entry_dialog

// The telephone's dial string must fit the modem's command line:
// number + 3 x beeps + (delay + 1) / 2 + 13, plus 1 with quiet answer.
inline constexpr int kLongestTelephonePage = 42;
int telephonePageLength(const PagerEntry& entry);

class PagerEntryDialog final : public app::Dialog {
  public:
    PagerEntryDialog(app::Shell& shell, PagerEntry& entry);

  protected:
    void handleOpen(platform::DialogView& view) override;
    void handleCommand(platform::DialogView& view, int id, platform::Notification what) override;

  private:
    void showKind(platform::DialogView& view, EntryKind kind);
    void confirm(platform::DialogView& view);
    void refuse(platform::DialogView& view, int field, std::string_view text);

    app::Shell& shell_;
    PagerEntry& entry_;
    EntryKind kind_;
    AdvancedSettings advanced_;
};

} // namespace bv::paging
