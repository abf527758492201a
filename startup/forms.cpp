#include "startup/forms.h"

#include <memory>

#include "exercise/frm_werk.h"
#include "settings/frm_hoofd.h"

namespace lv::forms {

namespace {
std::unique_ptr<frm_hoofd> the_hoofd;
std::unique_ptr<frm_werk> the_werk;
}  // namespace

frm_hoofd& hoofd() {
  if (!the_hoofd) the_hoofd = std::make_unique<frm_hoofd>();
  return *the_hoofd;
}

frm_werk& werk() {
  if (!the_werk) the_werk = std::make_unique<frm_werk>();
  return *the_werk;
}

void unload_all() {
  the_werk.reset();
  the_hoofd.reset();
}

}  // namespace lv::forms
