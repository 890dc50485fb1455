// Answers modal screens from inside their own event loops, the way an
// operator would, so tests can drive the real start-up sequence.
#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace kelvo::test {

// Polls every 10 ms, up to 10 s, for a visible top-level widget of type T
// (the active modal one first) and then runs ACTION on it once.
template <class T>
void whenShown(std::function<void(T*)> action) {
  auto* timer = new QTimer(qApp);
  auto* tries = new int(0);
  QObject::connect(timer, &QTimer::timeout, [timer, tries, action] {
    T* found = qobject_cast<T*>(QApplication::activeModalWidget());
    if (found == nullptr) {
      for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* t = qobject_cast<T*>(w); t != nullptr && t->isVisible()) found = t;
      }
    }
    if (found != nullptr || ++*tries > 1000) {
      timer->stop();
      timer->deleteLater();
      delete tries;
      if (found != nullptr) action(found);
    }
  });
  timer->start(10);
}

}  // namespace kelvo::test
