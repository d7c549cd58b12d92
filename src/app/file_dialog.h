#pragma once

#include <QString>

#include "app/platform_services.h"

namespace sondrix {

class Document;

// The save dialog of the store and picture commands: the confirmed path, or an empty text on a
// cancel. A name the dialog is given or gives back without its folder is taken in the run's
// folder.
QString AskFileName(PlatformServices& services, const Document& document,
                    const FileDialogRequest& request);

}  // namespace sondrix
