// A visitor over the grid's trait kinds: one visit operation per kind, each doing nothing,
// so that a visitor overrides only the kinds it cares about.
#pragma once

class CColumnTrait;
class CColumnTraitText;
class CColumnTraitImage;
class CColumnTraitEdit;
class CColumnTraitHyperLink;
class CColumnTraitCombo;
class CColumnTraitDateTime;
class CColumnTraitMultilineEdit;
class CRowTrait;
class CRowTraitText;
class CRowTraitImageRepaint;

class CTraitVisitor {
public:
  virtual ~CTraitVisitor() = default;
  virtual void Visit(CColumnTrait&) {}
  virtual void Visit(CColumnTraitText&) {}
  virtual void Visit(CColumnTraitImage&) {}
  virtual void Visit(CColumnTraitEdit&) {}
  virtual void Visit(CColumnTraitHyperLink&) {}
  virtual void Visit(CColumnTraitCombo&) {}
  virtual void Visit(CColumnTraitDateTime&) {}
  virtual void Visit(CColumnTraitMultilineEdit&) {}
  virtual void Visit(CRowTrait&) {}
  virtual void Visit(CRowTraitText&) {}
  virtual void Visit(CRowTraitImageRepaint&) {}
};
