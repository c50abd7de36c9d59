#pragma once
// Checks a result file against the published JSON Schema (docs/result.schema.json) with
// RapidJSON's own validator, as any reader of the format would. The published schema lets
// readers accept members added later; what this program writes is held to the members it
// lists (Members::OnlyListed).
#include <rapidjson/document.h>
#include <rapidjson/error/en.h>
#include <rapidjson/schema.h>
#include <rapidjson/stringbuffer.h>

#include <string>

namespace lurk_test {

enum class Members { OnlyListed, AnyMore };

// Every object schema that lists its members, made to refuse any other.
inline void RefuseUnlistedMembers(rapidjson::Value& schema, rapidjson::Document::AllocatorType& allocator) {
    if (schema.IsArray()) {
        for (auto item = schema.Begin(); item != schema.End(); ++item) RefuseUnlistedMembers(*item, allocator);
        return;
    }
    if (!schema.IsObject()) return;
    // Member by member, not GetObject(): <windows.h> makes that name a macro.
    for (auto member = schema.MemberBegin(); member != schema.MemberEnd(); ++member) {
        RefuseUnlistedMembers(member->value, allocator);
    }
    const auto type = schema.FindMember("type");
    const bool object = type != schema.MemberEnd() && type->value.IsString() && std::string(type->value.GetString()) == "object";
    if (object && schema.HasMember("properties") && !schema.HasMember("additionalProperties")) {
        schema.AddMember("additionalProperties", false, allocator);
    }
}

// Empty when the text is valid UTF-8 JSON that the schema accepts; else what is wrong.
inline std::string ResultSchemaErrors(const std::string& schemaText, const std::string& json,
                                      Members members = Members::OnlyListed) {
    rapidjson::Document schemaDocument;
    if (schemaDocument.Parse(schemaText.c_str()).HasParseError()) return "the schema is not JSON";
    if (members == Members::OnlyListed) RefuseUnlistedMembers(schemaDocument, schemaDocument.GetAllocator());
    const rapidjson::SchemaDocument schema(schemaDocument);
    rapidjson::Document document;
    document.Parse<rapidjson::kParseValidateEncodingFlag>(json.c_str());
    if (document.HasParseError()) {
        return std::string("not UTF-8 JSON: ") + rapidjson::GetParseError_En(document.GetParseError()) + " at " +
               std::to_string(document.GetErrorOffset());
    }
    rapidjson::SchemaValidator validator(schema);
    if (document.Accept(validator)) return "";
    rapidjson::StringBuffer where, rule;
    validator.GetInvalidDocumentPointer().StringifyUriFragment(where);
    validator.GetInvalidSchemaPointer().StringifyUriFragment(rule);
    return std::string("invalid at ") + where.GetString() + ": schema " + rule.GetString() + " (" +
           validator.GetInvalidSchemaKeyword() + ")";
}

}  // namespace lurk_test
