#pragma once

namespace hitungrama::WindowResources {

// Registers the resources compiled into the window library: the layout, the
// picture and the icons. Idempotent; everything that reads a ":/hitungrama"
// path calls it first, since a static library's resources are not
// registered on their own.
void ensureRegistered();

} // namespace hitungrama::WindowResources
