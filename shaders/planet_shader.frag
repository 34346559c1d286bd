#version 330 core

in vec3 world_normal;
in vec3 view_normal;
in vec3 view_position;
in vec2 uv;
in vec4 material_color;
in vec4 shadow_coord;
// Output alpha, passed on by the vertex stage: a uniform for one body, per instance for a crowd.
flat in float alpha;

uniform sampler2D color_texture;
uniform sampler2D sm_texture;

out vec4 out_color;

// The sun is far out on +x; its light comes from there.
const vec3 to_sun = vec3(1.0, 0.0, 0.0);
const vec3 sun_color = vec3(1.0, 0.95, 0.85);
const vec3 sky_ambient = vec3(0.05, 0.06, 0.09);
const vec3 rim_color = vec3(0.25, 0.35, 0.6);

// The shadow light's frustum; depths are compared as distances from the light, so the bias
// below is in world units whatever the depth buffer's non-linear spread.
const float light_near = 0.1;
const float light_far = 1000.0;

float light_distance(float window_depth) {
    float ndc = window_depth * 2.0 - 1.0;
    return 2.0 * light_near * light_far / (light_far + light_near - ndc * (light_far - light_near));
}

// 1 where the sun reaches the fragment, 0 in full shadow; a 3 x 3 filter softens the edge.
float sun_visibility(float n_dot_l) {
    if (shadow_coord.w <= 0.0) {
        return 1.0;
    }
    vec3 p = shadow_coord.xyz / shadow_coord.w;
    if (p.x < 0.0 || p.x > 1.0 || p.y < 0.0 || p.y > 1.0 || p.z > 1.0) {
        return 1.0;
    }
    float own = light_distance(p.z);
    // A 16-bit map 5 units from the light resolves about 0.004 units; grazing light needs more
    // slack, capped so that casters stay attached to their shadows.
    float slope = sqrt(max(1.0 - n_dot_l * n_dot_l, 0.0)) / max(n_dot_l, 0.05);
    float bias = clamp(0.008 + 0.004 * slope, 0.008, 0.04);
    vec2 texel = 1.0 / vec2(textureSize(sm_texture, 0));
    float lit = 0.0;
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            float stored = texture(sm_texture, p.xy + vec2(dx, dy) * texel).r;
            lit += own - bias <= light_distance(stored) ? 1.0 : 0.0;
        }
    }
    return lit / 9.0;
}

void main() {
    vec3 n = normalize(world_normal);
    vec4 texel = texture(color_texture, uv);
    // The material colour tints the texture; a mesh without one (alpha 0) shows it plain.
    vec3 albedo = texel.rgb * mix(vec3(1.0), material_color.rgb, material_color.a);

    float n_dot_l = dot(n, to_sun);
    float diffuse = max(n_dot_l, 0.0);
    float visibility = diffuse > 0.0 ? sun_visibility(diffuse) : 0.0;

    vec3 v = normalize(-view_position);
    float facing = max(dot(normalize(view_normal), v), 0.0);
    // A thin atmosphere-like rim, stronger on the sunlit side.
    float rim = pow(1.0 - facing, 3.0) * (0.35 + 0.65 * smoothstep(-0.2, 0.6, n_dot_l));

    vec3 color = albedo * (sky_ambient + sun_color * diffuse * visibility) + rim_color * rim * 0.5;
    out_color = vec4(color, alpha);
}
