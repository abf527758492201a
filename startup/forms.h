// The program's two windows, each created on first use and kept until the run is over.
#pragma once

namespace lv {
class frm_hoofd;
class frm_werk;
}  // namespace lv

namespace lv::forms {

frm_hoofd& hoofd();
frm_werk& werk();

// Destroys both windows; the run is over (also how tests start each run afresh).
void unload_all();

}  // namespace lv::forms
