#pragma once

#include "dimension.h"
#include "form.h"

#include <cstddef>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

// One catalogue element with its measures and its variants, all held by value.
class Furniture
{
public:
    Furniture(std::string category, std::string name, std::string desc, std::string designer,
              Dimension dim, std::vector<Form> forms);
    // Reads the stream form that operator<< writes: category, name, desc, designer,
    // the measures, the variant count and that many variants.
    explicit Furniture(std::istream &in);

    const std::string &getCategory() const { return category; }
    const std::string &getName() const { return name; }
    const std::string &getDesc() const { return desc; }
    const std::string &getDesigner() const { return designer; }
    const Dimension &getDim() const { return dim; }
    const std::vector<Form> &getForms() const { return forms; }

    void setCategory(std::string category);
    void setName(std::string name);
    void setDesc(std::string desc);
    void setDesigner(std::string designer);
    void setDim(Dimension dim);
    void setForms(std::vector<Form> forms);
    void addForm(Form form);
    // The price and stock of the variant `variant`, which must be one of this element's.
    void setVariantValues(std::size_t variant, double price, unsigned int stock);

private:
    std::string category;
    std::string name;
    std::string desc;
    std::string designer;
    Dimension dim;
    std::vector<Form> forms;
};

bool operator==(const Furniture &a, const Furniture &b);
std::ostream &operator<<(std::ostream &out, const Furniture &furniture);
