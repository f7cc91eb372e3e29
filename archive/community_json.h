#pragma once

#include <string_view>
#include <vector>

#include "core/drawing.h"

namespace kw {

// The JSON of the community archives, the most used free archive of every drawing since 1955:
//   {"data":[{"id":1,"date":"09.10.1955","Lottozahl":[3,12,13,16,23,41]}, ...,
//            {"id":5031,"date":"22.07.2026","Lottozahl":[3,5,10,14,25,49],"Superzahl":3}]}
// Numbers ascending, the Superzahl from December 1991 on, no Zusatzzahl, Spiel 77, Super 6 or
// quotas. Other members of the object and of its entries are left alone. UTF-8.

// The drawings of the file, in its order. Throws DrawingsFileError for a file that is no such JSON
// (naming what it is instead) and for the first entry that is no drawing, named by its place in
// "data" and its "id" ("Eintrag 17 ("id": 17): ...").
std::vector<Drawing> ParseCommunityJson(std::string_view bytes);

}  // namespace kw
