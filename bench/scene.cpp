#include "scene.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

bool place_tools(const std::string& dir, const std::string& duty, std::error_code& ec) {
  for (const char* tool : {"ombrel.exe", "halvend.exe", "caskel.exe"})
    if (!fs::copy_file(duty, dir + "/" + tool, ec)) return false;
  return true;
}

}  // namespace

bool lay_out(Scene& scene, const std::string& root, const std::string& duty,
             const std::string& design, std::size_t elements) {
  std::error_code ec;
  fs::remove_all(root, ec);
  const std::string base = fs::absolute(root, ec).lexically_normal().string();
  scene.tools = base + "/tools";
  scene.work = base + "/work";
  scene.fitter = base + "/fitter";
  scene.empty = base + "/empty";
  for (const std::string& dir : {scene.tools, scene.work, scene.fitter, scene.empty})
    if (!fs::create_directories(dir, ec)) return false;
  if (!place_tools(scene.tools, duty, ec)) return false;
  if (!fs::copy_file(design, scene.work + "/adder.pla", ec)) return false;
  scene.elements.clear();
  for (std::size_t i = 0; i < elements; ++i) {
    scene.elements.push_back("p/" + std::to_string(i));
    if (!fs::create_directories(scene.work + "/" + scene.elements.back(), ec)) return false;
  }
  return elements == 0 || place_tools(scene.work + "/" + scene.elements.back(), duty, ec);
}

std::string path_of(const Scene& scene, std::size_t n) {
  std::string out;
  for (std::size_t i = scene.elements.size() - n; i < scene.elements.size(); ++i) {
    if (!out.empty()) out += ':';
    out += scene.elements[i];
  }
  return out;
}
