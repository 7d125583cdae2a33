// The stand-in named as the program's online services: the demo and the acceptance run start
// the program on a settings store of its own user, and the program finds the services by
// the base URL stored there ("Services\BaseURL" below its product key). Only the program
// that runs the stub (marivo-servicestub --settings) uses this; the stub library does not.
#pragma once

#include <QString>

namespace servicestub {

// Stores baseUrl in this user's settings of the program (the folder XDG_CONFIG_HOME
// names); false with the reason when the store cannot take it.
bool NameInProgramSettings(const QString &baseUrl, QString &problem);
// Gives back what the settings named before (nothing, mostly), if they still name baseUrl:
// the program is not left pointing at a stand-in that is gone.
void ForgetInProgramSettings(const QString &baseUrl);

}  // namespace servicestub
