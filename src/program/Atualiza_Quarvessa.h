// The program entry's start-up sequence.
#pragma once

class QApplication;

namespace kelvo {

// Runs the whole program on APP: title, main screen created but not shown,
// confirmation screen shown modally, then the message loop. Returns the
// process's exit code.
int Atualiza_Quarvessa(QApplication& app);

}  // namespace kelvo
