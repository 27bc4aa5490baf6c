// Compiled only by the EngineCannotIncludeQt test, which expects this include to fail.
#include <QString>

QString EngineQtProbe() {
    return {};
}
