// The component files the generator writes, as the tables hold them: the
// components search reads them (see search/component_index.h).
#pragma once

#include <string>

struct ComponentData {
  std::string characters;  // CharacterComponents.txt: each character's components (the decomposition table)
  std::string index;       // ComponentIndex.txt: each component's characters
  std::string palette;     // ComponentPalette.txt: the palette's forms by stroke count
  std::string forms;       // ComponentForms.txt: each radical form and the ideograph it stands for
};

// The four files, in the order of ComponentData's members.
constexpr const char* kComponentFileNames[4] = {"CharacterComponents.txt", "ComponentIndex.txt",
                                                "ComponentPalette.txt", "ComponentForms.txt"};

inline std::string* ComponentFile(ComponentData& data, int which) {
  std::string* files[4] = {&data.characters, &data.index, &data.palette, &data.forms};
  return files[which];
}

// Reads the four files with read(name, bytes); when one cannot be read,
// none is kept: the components search then answers that they are missing,
// and the other searches go on as before.
template <typename Tables, typename Read>
void LoadComponentData(Tables& tables, Read read) {
  for (int which = 0; which < 4; ++which)
    if (!read(kComponentFileNames[which], *ComponentFile(tables.components, which))) {
      tables.components = ComponentData();
      return;
    }
}
