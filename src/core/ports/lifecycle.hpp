#pragma once

namespace tavu {

// How the program ends: the platform quits its message loop; with `restart` it starts the
// executable again only after this instance's windows are destroyed, so the new instance can
// never hand over to the dying one.
class Lifecycle {
 public:
  virtual ~Lifecycle() = default;
  virtual void Quit(bool restart) = 0;
};

}  // namespace tavu
