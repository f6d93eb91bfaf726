#pragma once
// Register: tells the IDE what the package offers (palette page, editors,
// sprigs, property categories). The IDE calls it once after loading.
namespace dv {

void Register();

}  // namespace dv
