// One row of a window's table (control_def.h), written as a chain.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "ui/control_def.h"

namespace morvex::ui {

// One row of a table, written as a chain: Row("cmdSet", Kind::XpButton)
// .In("Frame6").Text("Starten").At(120, 600, 1215, 375). What is not named
// keeps the default of ControlDef.
class Row {
 public:
  Row(std::string name, Kind kind) {
    def_.name = std::move(name);
    def_.kind = kind;
  }
  Row&& Index(int index) && {
    def_.index = index;
    return std::move(*this);
  }
  Row&& In(std::string parent) && {
    def_.parent = std::move(parent);
    return std::move(*this);
  }
  Row&& Text(std::string text) && {
    def_.caption = std::move(text);
    return std::move(*this);
  }
  Row&& At(int left, int top, int width, int height) && {
    def_.rect = {left, top, width, height};
    return std::move(*this);
  }
  Row&& Tip(std::string tip) && {
    def_.tooltip = std::move(tip);
    return std::move(*this);
  }
  Row&& Named(std::string name) && {
    def_.accessibleName = std::move(name);
    return std::move(*this);
  }
  Row&& Size(double points) && {
    def_.fontSize = points;
    return std::move(*this);
  }
  Row&& Bold() && {
    def_.bold = true;
    return std::move(*this);
  }
  Row&& Fore(std::uint32_t colour) && {
    def_.foreColour = colour;
    return std::move(*this);
  }
  Row&& Back(std::uint32_t colour) && {
    def_.backColour = colour;
    return std::move(*this);
  }
  Row&& Centred() && {
    def_.align = Align::Center;
    return std::move(*this);
  }
  Row&& Hidden() && {
    def_.visible = false;
    return std::move(*this);
  }
  Row&& Disabled() && {
    def_.enabled = false;
    return std::move(*this);
  }
  // Checked, selected or opened.
  Row&& On() && {
    def_.value = true;
    return std::move(*this);
  }
  Row&& MultiSelect() && {
    def_.multiSelect = true;
    return std::move(*this);
  }
  Row&& MaxLength(int length) && {
    def_.maxLength = length;
    return std::move(*this);
  }
  Row&& Interval(int ms) && {
    def_.interval = ms;
    return std::move(*this);
  }
  Row&& Separator() && {
    def_.separator = true;
    return std::move(*this);
  }
  Row&& OpenHeight(int height) && {
    def_.openHeight = height;
    return std::move(*this);
  }

  operator ControlDef() && { return std::move(def_); }

 private:
  ControlDef def_;
};

}  // namespace morvex::ui
