#pragma once
// The viewer's modal note (AVAlertNote), for the few messages that are not
// error reports. The plug-in hands the core an Alert that calls the viewer.

#include <string>

namespace tarvek {

class Alert {
 public:
  virtual ~Alert() = default;
  virtual void note(const std::string& message) = 0;
};

}  // namespace tarvek
